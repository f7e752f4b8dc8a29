// The block tree: a breadth-first walk over every block insertion,
// top-level and nested, with the absolute placement of each, the marks of the
// reached definitions and their compact output numbering.
//
// Guards against damaged or hostile nesting:
// - Cycles: a node whose definition already occurs among its ancestors is kept
//   as a node but not expanded again.
// - Blow-up: 40 definitions each inserting the next twice would give 2^40
//   nodes. Nodes are appended only while the tree is below a node budget (the
//   top-level nodes always exist), and the cycle checks have a step budget;
//   once either is spent no node is appended. A reachability pass over the
//   definitions then completes the marks, so ref_flag, ref_no and EntBlockNum
//   stay exact whatever happened to the tree.
#include "document/block_tree.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace plandock {

namespace {

// Ancestor steps spent on cycle checks (only definitions on a cycle need them).
constexpr size_t kBlockTreeCheckBudget = size_t{1} << 26;

// Number -> index of the first definition with that number.
class DefIndex {
 public:
  explicit DefIndex(const std::vector<TEntJwwBlockDef>& defs) {
    map_.reserve(defs.size());
    for (size_t i = 0; i < defs.size(); ++i) {
      map_.emplace(defs[i].nNumber, static_cast<int32_t>(i));  // keeps the first
    }
  }
  int32_t Find(uint32_t number) const {
    auto it = map_.find(number);
    return it == map_.end() ? -1 : it->second;
  }

 private:
  std::unordered_map<uint32_t, int32_t> map_;
};

// Strongly connected components of the definition graph (edge D -> E when D
// holds an insertion of E). A definition can only repeat on a path when it
// lies on a cycle, and the path between two occurrences stays inside its
// component. Iterative Tarjan.
struct DefComponents {
  std::vector<int32_t> comp;   // component id per definition
  std::vector<bool> cyclic;    // the definition lies on a cycle (incl. a self-insertion)
};

DefComponents FindComponents(const std::vector<std::vector<int32_t>>& edges) {
  const int32_t n = static_cast<int32_t>(edges.size());
  DefComponents out;
  out.comp.assign(n, -1);
  out.cyclic.assign(n, false);
  std::vector<int32_t> index(n, -1), low(n, 0), stack;
  std::vector<bool> on_stack(n, false);
  std::vector<std::pair<int32_t, size_t>> call;  // (node, next edge)
  int32_t counter = 0, comp_id = 0;
  for (int32_t root = 0; root < n; ++root) {
    if (index[root] >= 0) continue;
    call.push_back({root, 0});
    index[root] = low[root] = counter++;
    stack.push_back(root);
    on_stack[root] = true;
    while (!call.empty()) {
      auto& [v, next] = call.back();
      if (next < edges[v].size()) {
        const int32_t w = edges[v][next++];
        if (index[w] < 0) {
          index[w] = low[w] = counter++;
          stack.push_back(w);
          on_stack[w] = true;
          call.push_back({w, 0});
        } else if (on_stack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      const int32_t done = v;
      call.pop_back();
      if (!call.empty()) {
        const int32_t parent = call.back().first;
        low[parent] = std::min(low[parent], low[done]);
      }
      if (low[done] == index[done]) {
        int32_t w = -1;
        do {
          w = stack.back();
          stack.pop_back();
          on_stack[w] = false;
          out.comp[w] = comp_id;
        } while (w != done);
        ++comp_id;
      }
    }
  }
  // Mark cyclic definitions: members of a component of two or more, or self-inserting.
  std::vector<int32_t> size(comp_id, 0);
  for (int32_t v = 0; v < n; ++v) ++size[out.comp[v]];
  for (int32_t v = 0; v < n; ++v) {
    if (size[out.comp[v]] > 1) out.cyclic[v] = true;
    for (int32_t w : edges[v]) {
      if (w == v) out.cyclic[v] = true;
    }
  }
  return out;
}

struct Placement {
  long double r1, r2, r3, r4;
};

Placement InsertionMatrix(const TEntJwwBlock& b) {
  const long double th = b.radKaitenKaku;
  const long double c = std::cos(th);
  const long double s = std::sin(th);
  const long double sx = b.dBairitsuX;
  const long double sy = b.dBairitsuY;
  return {c * sx, -s * sy, s * sx, c * sy};
}

}  // namespace

void MakeBlockTree(TJwwData& doc) { MakeBlockTree(doc, kBlockTreeNodeBudget); }

void MakeBlockTree(TJwwData& doc, size_t node_budget) {
  // Steps 1-3.
  doc.EntBlockTree.clear();
  for (TEntJwwBlockDef& d : doc.EntBlockDef) {
    d.ref_flag = false;
    d.ref_no = -1;
  }
  if (doc.EntBlock.empty()) {
    doc.EntBlockNum = 0;
    doc.EntBlockTree.shrink_to_fit();
    return;
  }

  std::vector<TEntJwwBlockDef>& defs = doc.EntBlockDef;
  std::vector<TEntJwwBlockTree>& tree = doc.EntBlockTree;
  const DefIndex lookup(defs);

  // Definition graph: the resolved target of every nested insertion.
  std::vector<std::vector<int32_t>> edges(defs.size());
  for (size_t i = 0; i < defs.size(); ++i) {
    edges[i].reserve(defs[i].mBlock.size());
    for (const TEntJwwBlock& b : defs[i].mBlock) {
      const int32_t e = lookup.Find(b.nNumber);
      if (e >= 0) edges[i].push_back(e);
    }
  }
  const DefComponents comps = FindComponents(edges);
  // Each nested insertion's own matrix, computed once per definition rather than
  // once per node: a definition inserted many times is expanded many times.
  std::vector<std::vector<Placement>> matrices(defs.size());

  // Compact copies of parent and defno for the cycle checks' walks up the tree.
  std::vector<int32_t> parent_of;
  std::vector<int32_t> def_of;

  // Step 4: one node per top-level insertion.
  const size_t top = doc.EntBlock.size();
  tree.reserve(top);
  parent_of.reserve(top);
  def_of.reserve(top);
  for (const TEntJwwBlock& b : doc.EntBlock) {
    TEntJwwBlockTree node;
    node.att = b.att;
    node.level = 0;
    node.parent = -1;
    node.no = b.nNumber;
    node.x = b.DPKijunTen_x;
    node.y = b.DPKijunTen_y;
    const Placement m = InsertionMatrix(b);
    node.r1 = static_cast<double>(m.r1);
    node.r2 = static_cast<double>(m.r2);
    node.r3 = static_cast<double>(m.r3);
    node.r4 = static_cast<double>(m.r4);
    const int32_t d = lookup.Find(b.nNumber);
    if (d >= 0) {
      node.defno = d;
      node.name = defs[d].strName;
      defs[d].ref_flag = true;
    }
    tree.push_back(std::move(node));
    parent_of.push_back(-1);
    def_of.push_back(d);
  }

  // Step 5: breadth-first walk over the growing node array.
  bool truncated = false;
  size_t check_steps = 0;
  for (size_t k = 0; k < tree.size() && !truncated; ++k) {
    const int32_t dk = def_of[k];
    if (dk < 0) continue;
    const TEntJwwBlockDef& D = defs[dk];
    if (D.mBlock.empty()) continue;

    // Cycle guard: do not expand a definition that already occurs among the
    // node's ancestors. Only definitions on a cycle can, and only ancestors in
    // the same component can lie between two occurrences.
    if (comps.cyclic[dk]) {
      bool repeated = false;
      const int32_t comp = comps.comp[dk];
      for (int32_t a = parent_of[k]; a >= 0; a = parent_of[a]) {
        const int32_t da = def_of[a];
        if (da == dk) {
          repeated = true;
          break;
        }
        if (da < 0 || comps.comp[da] != comp) break;
        if (++check_steps > kBlockTreeCheckBudget) {
          truncated = true;
          break;
        }
      }
      if (repeated) continue;
      if (truncated) break;
    }

    const size_t room = node_budget > tree.size() ? node_budget - tree.size() : 0;
    const size_t count = D.mBlock.size() < room ? D.mBlock.size() : room;
    if (count < D.mBlock.size()) truncated = true;

    std::vector<Placement>& own = matrices[dk];
    if (own.empty()) {
      own.reserve(D.mBlock.size());
      for (const TEntJwwBlock& b : D.mBlock) own.push_back(InsertionMatrix(b));
    }

    // Node k's values, taken before the array grows.
    const long double xk = tree[k].x, yk = tree[k].y;
    const long double r1k = tree[k].r1, r2k = tree[k].r2, r3k = tree[k].r3, r4k = tree[k].r4;
    const int32_t level = tree[k].level + 1;
    for (size_t l = 0; l < count; ++l) {
      const TEntJwwBlock& b = D.mBlock[l];
      TEntJwwBlockTree node;
      node.att = D.att;
      node.level = level;
      node.parent = static_cast<int32_t>(k);
      node.no = b.nNumber;
      const long double px = b.DPKijunTen_x, py = b.DPKijunTen_y;
      node.x = static_cast<double>(xk + r1k * px + r2k * py);
      node.y = static_cast<double>(yk + r3k * px + r4k * py);
      const Placement& c = own[l];
      node.r1 = static_cast<double>(r1k * c.r1 + r2k * c.r3);
      node.r2 = static_cast<double>(r1k * c.r2 + r2k * c.r4);
      node.r3 = static_cast<double>(r3k * c.r1 + r4k * c.r3);
      node.r4 = static_cast<double>(r3k * c.r2 + r4k * c.r4);
      const int32_t d = lookup.Find(b.nNumber);
      if (d >= 0) {
        node.defno = d;
        node.name = defs[d].strName;
        defs[d].ref_flag = true;
      }
      tree.push_back(std::move(node));
      parent_of.push_back(static_cast<int32_t>(k));
      def_of.push_back(d);
    }
  }

  // When the walk stopped early, complete the marks by reachability over the
  // definitions: everything reachable from a marked definition is marked.
  if (truncated) {
    std::vector<int32_t> queue;
    std::vector<bool> seen(defs.size(), false);
    for (int32_t d : def_of) {
      if (d >= 0 && !seen[d]) {
        seen[d] = true;
        queue.push_back(d);
      }
    }
    for (size_t i = 0; i < queue.size(); ++i) {
      defs[queue[i]].ref_flag = true;
      for (int32_t e : edges[queue[i]]) {
        if (!seen[e]) {
          seen[e] = true;
          queue.push_back(e);
        }
      }
    }
  }

  // Step 6: number the reached definitions in EntBlockDef order.
  int32_t num = 0;
  for (TEntJwwBlockDef& d : defs) {
    if (d.ref_flag) d.ref_no = num++;
  }
  doc.EntBlockNum = num;
}

uint32_t ChangeBlockNo(const TJwwData& doc, uint32_t n) {
  for (const TEntJwwBlockDef& d : doc.EntBlockDef) {
    if (d.nNumber == n) return d.ref_flag ? static_cast<uint32_t>(d.ref_no) : n;
  }
  return 0;
}

BlockNoMap::BlockNoMap(const TJwwData& doc) {
  map_.reserve(doc.EntBlockDef.size());
  for (const TEntJwwBlockDef& d : doc.EntBlockDef) {
    map_.emplace(d.nNumber, d.ref_flag ? static_cast<uint32_t>(d.ref_no) : d.nNumber);
  }
}

uint32_t BlockNoMap::operator()(uint32_t n) const {
  auto it = map_.find(n);
  return it == map_.end() ? 0 : it->second;
}

}  // namespace plandock
