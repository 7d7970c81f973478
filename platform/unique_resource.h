// The one owner of everything the program makes or takes and must give back: a move-only holder
// of one handle, given back by its `Release` when the owner goes (or released from it with
// release()). `Release` carries what giving back needs beside the handle: the window of a DC, the
// DC an object was selected into, the window manager that made a region.
#pragma once

#include <utility>

template <typename Handle, typename Release>
class CUniqueResource {
 public:
  CUniqueResource() = default;
  explicit CUniqueResource(Handle handle, Release giveBack = Release{})
      : m_handle(handle), m_giveBack(std::move(giveBack)) {}
  ~CUniqueResource() { reset(); }
  CUniqueResource(const CUniqueResource&) = delete;
  CUniqueResource& operator=(const CUniqueResource&) = delete;
  CUniqueResource(CUniqueResource&& other) noexcept
      : m_handle(other.release()), m_giveBack(std::move(other.m_giveBack)) {}
  CUniqueResource& operator=(CUniqueResource&& other) noexcept {
    if (this != &other) {
      reset(other.release());
      m_giveBack = std::move(other.m_giveBack);
    }
    return *this;
  }

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Handle{}; }
  Handle release() { return std::exchange(m_handle, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (Handle old = std::exchange(m_handle, handle); old != Handle{}) m_giveBack(old);
  }

 private:
  Handle m_handle{};
  Release m_giveBack{};
};

// A `Release` that calls one function of the handle alone.
template <auto Function>
struct CallOn {
  template <typename Handle>
  void operator()(Handle handle) const {
    Function(handle);
  }
};
