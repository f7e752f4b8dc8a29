// The documents of a front end and their image folders, private to this
// running instance so that two instances never touch each other's images.
#include <memory>

#include "document/images.h"
#include "merge/merge_job.h"
#include "merge/merge_job_internal.h"
#include "platform/files.h"
#include "platform/replacing_file.h"

namespace plandock {
namespace {

constexpr char16_t kImageRootPrefix[] = u"plandock-";

std::u16string ImageFolder(const std::u16string& root, const char16_t* name) {
  return root + name + platform::NativeSeparator();
}

// A folder that is missing or still holds a file stays; nothing depends on it going.
void RemoveImageFolders(const std::u16string& root) {
  (void)platform::DeleteEmptyDir(ImageFolder(root, u"TEMP"));
  (void)platform::DeleteEmptyDir(ImageFolder(root, u"TEMP1"));
  (void)platform::DeleteEmptyDir(root);
}

}  // namespace

namespace job {

void EmptyDocument(TJwwData& doc, bool images_on) {
  JwwDataFree(doc);
  // Without a folder to extract into, the image list is read and the bytes skipped.
  doc.BindImageExp = images_on && !doc.BindImageFolder.empty();
  doc.BindImageExr = images_on;
}

}  // namespace job

std::unique_ptr<MergeDocuments> CreateDocuments() {
  auto docs = std::make_unique<MergeDocuments>();
  // Instances that were killed could not remove their folders.
  platform::RemoveStalePrivateTempDirs(kImageRootPrefix);
  docs->image_root = platform::MakePrivateTempDir(kImageRootPrefix);
  if (!docs->image_root.empty()) {
    docs->JWW.BindImageFolder = ImageFolder(docs->image_root, u"TEMP");
    docs->JWW1.BindImageFolder = ImageFolder(docs->image_root, u"TEMP1");
    platform::CreateDirs(docs->JWW.BindImageFolder);
    platform::CreateDirs(docs->JWW1.BindImageFolder);
  }
  job::EmptyDocument(docs->JWW, true);
  job::EmptyDocument(docs->JWW1, true);
  return docs;
}

void FreeDocuments(MergeDocuments& docs) {
  for (TJwwData* doc : {&docs.JWW, &docs.JWW1}) {
    JwwDataFree(*doc);
    doc->BindImageFolder.clear();
    doc->BindImageExp = false;
  }
  if (docs.image_root.empty()) return;
  RemoveImageFolders(docs.image_root);
  docs.image_root.clear();
}

MergeDocuments::~MergeDocuments() { FreeDocuments(*this); }

}  // namespace plandock
