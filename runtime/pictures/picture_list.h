// The runtime's list of pictures loaded by LoadPicture.
//
// The application holds a picture as a 32-bit integer handle, so handles are
// small numbers handed out by the list, never addresses: a stale or made-up
// handle finds nothing instead of reaching freed or foreign memory. Handles
// are not reused while the counter lasts (2^31 - 1 adds), so a handle of a
// removed picture does not silently name a newer one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/pictures/picture.h"

namespace runtime {

class PictureList {
 public:
  PictureList() = default;
  PictureList(const PictureList&) = delete;
  PictureList& operator=(const PictureList&) = delete;
  ~PictureList();

  // Adds a picture the list then owns, and returns its handle; a picture
  // already in the list keeps its handle. 0 (the picture not taken) when
  // memory runs out.
  int32_t Add(Picture* picture);

  // Removes and releases the picture; false for an unknown handle.
  bool Remove(int32_t handle);

  bool Contains(int32_t handle) const { return Find(handle) != nullptr; }

  // The picture of a handle, or null. The list keeps owning it.
  Picture* Find(int32_t handle) const;

  size_t size() const { return entries_.size(); }

  // Releases every picture.
  void Clear();

 private:
  struct Entry {
    int32_t handle;    // > 0
    Picture* picture;  // owned
  };
  int32_t NextFreeHandle();

  std::vector<Entry> entries_;  // in the order they were added
  int32_t last_handle_ = 0;     // the most recently handed-out handle
};

// The runtime's own list: pictures loaded by LoadPicture stay in it until the
// program ends. Used on the user-interface thread only.
PictureList& RuntimePictures();

}  // namespace runtime
