// Holds one reference to a COM object and releases it when it goes: the only
// place where a held interface is released.
#pragma once

#include <unknwn.h>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      m_p = o.m_p;
      o.m_p = nullptr;
    }
    return *this;
  }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }

  // For a call that hands out a reference (an out parameter): whatever was
  // held is released first.
  T** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (m_p) m_p->Release();
    m_p = nullptr;
  }
  // Holds a reference of its own to p (nullptr empties the holder).
  void Share(T* p) {
    if (p) p->AddRef();
    Reset();
    m_p = p;
  }
  // Takes over a reference that the caller owned (one handed out in an
  // array or a structure).
  void Attach(T* p) {
    Reset();
    m_p = p;
  }
  // Gives the held reference to the caller, who now releases it.
  T* Detach() {
    T* p = m_p;
    m_p = nullptr;
    return p;
  }
  // Hands out a new reference through an out parameter.
  void CopyTo(T** pp) const {
    *pp = m_p;
    if (m_p) m_p->AddRef();
  }
  template <class U>
  HRESULT As(ComPtr<U>* other, REFIID iid) const {
    return m_p->QueryInterface(iid, other->PutVoid());
  }

 private:
  T* m_p = nullptr;
};
