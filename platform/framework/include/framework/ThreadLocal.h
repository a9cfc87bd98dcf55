// Thread-local slots: a CThreadLocal<T> gives each thread its own T, made on
// the thread's first GetData and deleted when that thread ends (whoever
// started it) or when the slot itself goes, whichever is first.
//
//   THREAD_LOCAL(CMyState, g_myState)       // one slot, at namespace scope
//   g_myState->m_nCount++;                  // this thread's CMyState
#pragma once

#include "Defs.h"

// The base of per-thread data: deleted through it at thread end.
class CNoTrackObject {
 public:
  CNoTrackObject() = default;
  virtual ~CNoTrackObject() = default;
  CNoTrackObject(const CNoTrackObject&) = delete;
  CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

class CThreadLocalObject {
 public:
  CThreadLocalObject();
  // Deletes the slot's data of every thread.
  ~CThreadLocalObject();
  CThreadLocalObject(const CThreadLocalObject&) = delete;
  CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

  // This thread's data, made with pfnCreate when it has none yet.
  CNoTrackObject* GetData(CNoTrackObject* (*pfnCreate)());
  // This thread's data, or null: nothing is made.
  CNoTrackObject* GetDataNA() const;

 private:
  int m_nSlot;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject {
 public:
  TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject)); }
  TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
  operator TYPE*() { return GetData(); }
  TYPE* operator->() { return GetData(); }

 private:
  static CNoTrackObject* CreateObject() { return new TYPE; }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
