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
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
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
  std::vector<int32_t> comp;  // component id per definition
  std::vector<bool> cyclic;   // the definition lies on a cycle (incl. a self-insertion)
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

struct Rotation {
  long double c, s;
};

// Extended-precision sine and cosine of the few angles a drawing repeats
// (quarter turns mostly): their argument reduction dominated building trees.
class RotationMemo {
 public:
  Rotation Of(double angle) {
    // Most insertions are unrotated; sin(+-0) is +-0 itself, cos(+-0) is 1.
    if (angle == 0) return {1.0L, angle};
    uint64_t bits;
    std::memcpy(&bits, &angle, sizeof bits);
    for (const Slot& slot : slots_) {
      if (slot.filled && slot.bits == bits) return slot.rotation;
    }
    const long double th = angle;
    const Rotation r{std::cos(th), std::sin(th)};
    slots_[next_] = {true, bits, r};
    next_ = (next_ + 1) % kSlots;
    return r;
  }

 private:
  struct Slot {
    bool filled = false;
    uint64_t bits = 0;
    Rotation rotation{};
  };
  static constexpr size_t kSlots = 8;
  std::array<Slot, kSlots> slots_{};
  size_t next_ = 0;
};

// Angles in extended precision; the products are rounded once, when stored.
Placement InsertionMatrix(const TEntJwwBlock& b, RotationMemo& rotations) {
  const Rotation r = rotations.Of(b.radKaitenKaku);
  const long double sx = b.dBairitsuX;
  const long double sy = b.dBairitsuY;
  return {r.c * sx, -r.s * sy, r.s * sx, r.c * sy};
}

// What the walk needs of one definition, resolved once per call.
struct DefInfo {
  std::vector<int32_t> targets;     // per insertion of mBlock: definition index or -1
  std::vector<Placement> matrices;  // per insertion: its own matrix (filled on first use)
};

class TreeWalk {
 public:
  TreeWalk(TJwwData& doc, size_t node_budget)
      : doc_(doc),
        defs_(doc.EntBlockDef),
        tree_(doc.EntBlockTree),
        budget_(node_budget),
        info_(defs_.size()) {}

  void Run() {
    const DefIndex lookup(defs_);
    ResolveDefinitions(lookup);
    AddTopLevel(lookup);
    // Nodes appended while walking are walked too: breadth first.
    for (size_t k = 0; k < tree_.size() && !stopped_; ++k) {
      const int32_t d = def_of_[k];
      if (d < 0 || defs_[d].mBlock.empty() || RepeatsOnPath(k)) continue;
      if (!stopped_) Expand(k);
    }
    if (stopped_) CompleteMarks();
  }

 private:
  void ResolveDefinitions(const DefIndex& lookup) {
    std::vector<std::vector<int32_t>> edges(defs_.size());
    for (size_t i = 0; i < defs_.size(); ++i) {
      for (const TEntJwwBlock& b : defs_[i].mBlock) {
        const int32_t e = lookup.Find(b.nNumber);
        info_[i].targets.push_back(e);
        if (e >= 0) edges[i].push_back(e);
      }
    }
    comps_ = FindComponents(edges);
  }

  void AddTopLevel(const DefIndex& lookup) {
    tree_.reserve(doc_.EntBlock.size());
    for (const TEntJwwBlock& b : doc_.EntBlock) {
      TEntJwwBlockTree node;
      node.att = b.att;
      node.no = b.nNumber;
      node.x = b.DPKijunTen_x;
      node.y = b.DPKijunTen_y;
      const Placement m = InsertionMatrix(b, rotations_);
      node.r1 = static_cast<double>(m.r1);
      node.r2 = static_cast<double>(m.r2);
      node.r3 = static_cast<double>(m.r3);
      node.r4 = static_cast<double>(m.r4);
      Append(std::move(node), -1, lookup.Find(b.nNumber));
    }
  }

  // The cycle guard: node k's definition already occurs among its ancestors.
  // Only a definition on a cycle can repeat, and every ancestor between two
  // occurrences lies in its component, so the walk up stops at the first other.
  bool RepeatsOnPath(size_t k) {
    const int32_t d = def_of_[k];
    if (!comps_.cyclic[d]) return false;
    const int32_t comp = comps_.comp[d];
    for (int32_t a = parent_of_[k]; a >= 0; a = parent_of_[a]) {
      const int32_t da = def_of_[a];
      if (da == d) return true;
      if (da < 0 || comps_.comp[da] != comp) return false;
      if (++check_steps_ > kBlockTreeCheckBudget) {
        stopped_ = true;
        return false;
      }
    }
    return false;
  }

  void Expand(size_t k) {
    const int32_t d = def_of_[k];
    const TEntJwwBlockDef& def = defs_[d];
    DefInfo& info = info_[d];
    if (info.matrices.empty()) {
      for (const TEntJwwBlock& b : def.mBlock) {
        info.matrices.push_back(InsertionMatrix(b, rotations_));
      }
    }
    const size_t room = budget_ > tree_.size() ? budget_ - tree_.size() : 0;
    const size_t count = std::min(def.mBlock.size(), room);
    if (count < def.mBlock.size()) stopped_ = true;

    // Node k's values, taken before the array grows.
    const long double xk = tree_[k].x, yk = tree_[k].y;
    const long double r1 = tree_[k].r1, r2 = tree_[k].r2, r3 = tree_[k].r3, r4 = tree_[k].r4;
    const int32_t level = tree_[k].level + 1;
    for (size_t l = 0; l < count; ++l) {
      const TEntJwwBlock& b = def.mBlock[l];
      const Placement& c = info.matrices[l];
      TEntJwwBlockTree node;
      node.att = def.att;
      node.level = level;
      node.no = b.nNumber;
      const long double px = b.DPKijunTen_x, py = b.DPKijunTen_y;
      node.x = static_cast<double>(xk + r1 * px + r2 * py);
      node.y = static_cast<double>(yk + r3 * px + r4 * py);
      node.r1 = static_cast<double>(r1 * c.r1 + r2 * c.r3);
      node.r2 = static_cast<double>(r1 * c.r2 + r2 * c.r4);
      node.r3 = static_cast<double>(r3 * c.r1 + r4 * c.r3);
      node.r4 = static_cast<double>(r3 * c.r2 + r4 * c.r4);
      Append(std::move(node), static_cast<int32_t>(k), info.targets[l]);
    }
  }

  void Append(TEntJwwBlockTree node, int32_t parent, int32_t d) {
    node.parent = parent;
    if (d >= 0) {
      node.defno = d;
      node.name = defs_[d].strName;
      defs_[d].ref_flag = true;
    }
    tree_.push_back(std::move(node));
    parent_of_.push_back(parent);
    def_of_.push_back(d);
  }

  // The walk stopped early: everything reachable from a definition met so far
  // is reached, whether or not its nodes exist.
  void CompleteMarks() {
    std::vector<bool> seen(defs_.size(), false);
    std::vector<int32_t> queue;
    for (int32_t d : def_of_) {
      if (d >= 0 && !seen[d]) {
        seen[d] = true;
        queue.push_back(d);
      }
    }
    for (size_t i = 0; i < queue.size(); ++i) {
      defs_[queue[i]].ref_flag = true;
      for (int32_t e : info_[queue[i]].targets) {
        if (e >= 0 && !seen[e]) {
          seen[e] = true;
          queue.push_back(e);
        }
      }
    }
  }

  TJwwData& doc_;
  std::vector<TEntJwwBlockDef>& defs_;
  std::vector<TEntJwwBlockTree>& tree_;
  const size_t budget_;
  std::vector<DefInfo> info_;
  DefComponents comps_;
  // Compact copies of each node's parent and defno for the walks up the tree.
  std::vector<int32_t> parent_of_;
  std::vector<int32_t> def_of_;
  RotationMemo rotations_;
  size_t check_steps_ = 0;
  bool stopped_ = false;  // a budget is spent: no more nodes
};

}  // namespace

void MakeBlockTree(TJwwData& doc) { MakeBlockTree(doc, kBlockTreeNodeBudget); }

void MakeBlockTree(TJwwData& doc, size_t node_budget) {
  doc.EntBlockTree.clear();
  doc.EntBlockTree.shrink_to_fit();
  for (TEntJwwBlockDef& d : doc.EntBlockDef) {
    d.ref_flag = false;
    d.ref_no = -1;
  }
  if (!doc.EntBlock.empty()) TreeWalk(doc, node_budget).Run();

  int32_t num = 0;
  for (TEntJwwBlockDef& d : doc.EntBlockDef) {
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
