#include "runtime/pictures/picture_list.h"

#include <limits>
#include <new>

namespace runtime {

PictureList::~PictureList() { Clear(); }

int32_t PictureList::NextFreeHandle() {
  // Counting on from the last handle, past the end back to 1, skipping
  // handles in use. The list is far smaller than the range, so this ends.
  for (;;) {
    last_handle_ = last_handle_ == std::numeric_limits<int32_t>::max() ? 1 : last_handle_ + 1;
    if (Find(last_handle_) == nullptr) return last_handle_;
  }
}

int32_t PictureList::Add(Picture* picture) {
  if (picture == nullptr) return 0;
  for (const Entry& entry : entries_) {
    if (entry.picture == picture) return entry.handle;
  }
  try {  // grow first, so a failed allocation leaves no handle used
    if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.size() * 2 + 8);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  int32_t handle = NextFreeHandle();
  entries_.push_back({handle, picture});
  return handle;
}

bool PictureList::Remove(int32_t handle) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->handle != handle) continue;
    Picture* picture = it->picture;
    entries_.erase(it);
    ReleasePicture(picture);
    return true;
  }
  return false;
}

Picture* PictureList::Find(int32_t handle) const {
  if (handle <= 0) return nullptr;
  for (const Entry& entry : entries_) {
    if (entry.handle == handle) return entry.picture;
  }
  return nullptr;
}

void PictureList::Clear() {
  std::vector<Entry> entries;
  entries.swap(entries_);
  for (const Entry& entry : entries) ReleasePicture(entry.picture);
}

PictureList& RuntimePictures() {
  static PictureList* list = new PictureList;  // lives until the process ends
  return *list;
}

}  // namespace runtime
