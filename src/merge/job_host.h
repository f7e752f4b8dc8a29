// What a merge job needs from the front end running it: a status line, modal
// message boxes, the beep, the Escape poll and the merge button.
#pragma once

#include <string>

namespace plandock {

enum class MessageKind { kError, kWarning, kInformation, kQuestion };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };
// The "参照" buttons a failed input check sends the keyboard focus to.
enum class BrowseButton { kBase, kDestination };

class JobHost {
 public:
  virtual ~JobHost() = default;

  // Shows `text` in the status line at once; the job does not return to the
  // front end's event loop while it runs.
  virtual void ShowStatus(const std::u16string& text) = 0;
  // Shows a modal box and returns the button chosen: kOk for kOk boxes, kYes or
  // kNo for kYesNo boxes.
  virtual MessageAnswer Ask(MessageKind kind, const std::u16string& text,
                            MessageButtons buttons) = 0;
  virtual void Beep() = 0;
  // True when the user asked to stop (the Escape key) since the last poll.
  virtual bool EscapePressed() = 0;
  virtual void SetMergeEnabled(bool enabled) = 0;
  virtual void FocusBrowse(BrowseButton which) = 0;
  // Brings the file-choice page to the front; front ends without pages ignore it.
  virtual void ShowFilesPage() {}
};

}  // namespace plandock
