#include <Framework.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Waits boundedly, so that a broken object fails the test instead of hanging it.
constexpr DWORD kWait = 10000;

std::string UniqueName(const char* what) {
  return std::string("QuillonFrameworkTest.") + what + "." + std::to_string(GetCurrentProcessId());
}

struct WorkerArgs {
  CEvent* pStop;
  LONG iterations = 0;
  CWinThread* pSeenThread = nullptr;
};

UINT AFX_CDECL Worker(LPVOID pParam) {
  WorkerArgs* args = static_cast<WorkerArgs*>(pParam);
  args->pSeenThread = AfxGetThread();
  while (WaitForSingleObject(*args->pStop, 1) == WAIT_TIMEOUT) InterlockedIncrement(&args->iterations);
  return 42;
}

TEST(AfxBeginThread, WorkerStartsSuspendedWithPriorityAndStops) {
  CEvent stop(FALSE, TRUE);
  WorkerArgs args{&stop};
  CWinThread* pThread = AfxBeginThread(Worker, &args, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(pThread, nullptr);
  EXPECT_NE(pThread->m_hThread, nullptr);
  EXPECT_NE(pThread->m_nThreadID, 0u);
  EXPECT_TRUE(pThread->m_bAutoDelete);
  EXPECT_EQ(pThread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_EQ(WaitForSingleObject(pThread->m_hThread, 50), static_cast<DWORD>(WAIT_TIMEOUT));  // suspended
  EXPECT_EQ(args.iterations, 0);
  pThread->m_bAutoDelete = FALSE;  // allowed while suspended: keep the object
  EXPECT_EQ(pThread->ResumeThread(), 1u);
  stop.SetEvent();
  ASSERT_EQ(WaitForSingleObject(pThread->m_hThread, kWait), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(pThread->m_hThread, &code);
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(args.pSeenThread, pThread);
  EXPECT_EQ(AfxGetThread(), nullptr);  // the test's own thread was not started by the framework
  delete pThread;
}

// A thread object that reports its deletion.
class CWatchedThread : public CWinThread {
 public:
  CWatchedThread(AFX_THREADPROC pfn, LPVOID pParam, HANDLE hDeleted) : CWinThread(pfn, pParam), m_hDeleted(hDeleted) {}
  ~CWatchedThread() override { SetEvent(m_hDeleted); }
  HANDLE m_hDeleted;
};

UINT AFX_CDECL ReturnAtOnce(LPVOID) { return 7; }

UINT AFX_CDECL ThrowFrameworkException(LPVOID) { AfxThrowNotSupportedException(); }

TEST(CWinThread, AutoDeleteWhenTheThreadEnds) {
  const AFX_THREADPROC procs[] = {ReturnAtOnce, ThrowFrameworkException};
  for (AFX_THREADPROC proc : procs) {
    CEvent deleted(FALSE, TRUE);
    CWatchedThread* pThread = new CWatchedThread(proc, nullptr, deleted);
    ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
    HANDLE hThread;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    pThread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(deleted, kWait), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(hThread, kWait), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(hThread, &code);
    EXPECT_EQ(code, proc == ReturnAtOnce ? 7u : static_cast<DWORD>(-1));
    CloseHandle(hThread);
  }
}

struct NamedArgs {
  std::string name;
  BOOL bWoke = FALSE;
  BOOL bLockedAtOnce = TRUE;
  BOOL bLockedLater = FALSE;
  CEvent tried{FALSE, TRUE};  // set once the worker has made its first attempt
};

UINT AFX_CDECL WaitOnNamedEvent(LPVOID pParam) {
  NamedArgs* args = static_cast<NamedArgs*>(pParam);
  CEvent event(FALSE, TRUE, args->name.c_str());  // opens the main thread's event
  args->bWoke = event.Lock(kWait);
  return 0;
}

UINT AFX_CDECL TakeNamedMutex(LPVOID pParam) {
  NamedArgs* args = static_cast<NamedArgs*>(pParam);
  CMutex mutex(FALSE, args->name.c_str());
  CSingleLock lock(&mutex);
  args->bLockedAtOnce = lock.Lock(0);
  args->tried.SetEvent();
  if (!args->bLockedAtOnce) args->bLockedLater = lock.Lock(kWait);
  return 0;
}

CWinThread* StartKept(AFX_THREADPROC proc, LPVOID pParam) {
  CWinThread* pThread = AfxBeginThread(proc, pParam, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  pThread->m_bAutoDelete = FALSE;
  pThread->ResumeThread();
  return pThread;
}

TEST(SyncObjects, NamedEventAcrossThreads) {
  NamedArgs args;
  args.name = UniqueName("event");
  CEvent event(FALSE, TRUE, args.name.c_str());
  CWinThread* pThread = StartKept(WaitOnNamedEvent, &args);
  Sleep(20);
  EXPECT_EQ(WaitForSingleObject(pThread->m_hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  event.SetEvent();
  ASSERT_EQ(WaitForSingleObject(pThread->m_hThread, kWait), WAIT_OBJECT_0);
  EXPECT_TRUE(args.bWoke);
  delete pThread;
}

TEST(SyncObjects, InitiallyOwnedNamedMutex) {
  NamedArgs args;
  args.name = UniqueName("mutex");
  CMutex mutex(TRUE, args.name.c_str());
  CWinThread* pThread = StartKept(TakeNamedMutex, &args);
  ASSERT_EQ(WaitForSingleObject(args.tried, kWait), WAIT_OBJECT_0);
  mutex.Unlock();
  ASSERT_EQ(WaitForSingleObject(pThread->m_hThread, kWait), WAIT_OBJECT_0);
  EXPECT_FALSE(args.bLockedAtOnce);
  EXPECT_TRUE(args.bLockedLater);
  delete pThread;
}

TEST(SyncObjects, EventHandleServesPlainWin32Calls) {
  CEvent autoReset;  // auto reset, not signalled: the form drivers are handed
  HANDLE h = autoReset;
  EXPECT_EQ(h, autoReset.m_hObject);
  EXPECT_EQ(WaitForSingleObject(h, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ::SetEvent(h);
  EXPECT_TRUE(autoReset.Lock(0));
  EXPECT_FALSE(autoReset.Lock(0));  // reset by the wait
  CEvent manual(TRUE, TRUE);
  EXPECT_TRUE(manual.Lock(0));
  EXPECT_TRUE(manual.Lock(0));
  manual.ResetEvent();
  EXPECT_FALSE(manual.Lock(0));
}

TEST(SyncObjects, SemaphoreAndLocks) {
  CSemaphore semaphore(2, 2);
  EXPECT_TRUE(semaphore.Lock(0));
  EXPECT_TRUE(semaphore.Lock(0));
  EXPECT_FALSE(semaphore.Lock(0));
  LONG previous = -1;
  EXPECT_TRUE(semaphore.Unlock(2, &previous));
  EXPECT_EQ(previous, 0);
  {
    CSingleLock lock(&semaphore, TRUE);
    EXPECT_TRUE(lock.IsLocked());
    CSingleLock second(&semaphore, TRUE);
    CSingleLock third(&semaphore);
    EXPECT_FALSE(third.Lock(0));
  }  // both released
  EXPECT_TRUE(semaphore.Lock(0));
  semaphore.Unlock();

  CEvent a(FALSE, TRUE), b(FALSE, TRUE);
  CSyncObject* objects[] = {&a, &b};
  CMultiLock multi(objects, 2);
  EXPECT_EQ(multi.Lock(0, FALSE), static_cast<DWORD>(WAIT_TIMEOUT));
  b.SetEvent();
  EXPECT_EQ(multi.Lock(0, FALSE), WAIT_OBJECT_0 + 1);
  EXPECT_TRUE(multi.IsLocked(1));
  EXPECT_FALSE(multi.IsLocked(0));
  EXPECT_EQ(multi.Lock(0, TRUE), static_cast<DWORD>(WAIT_TIMEOUT));
  a.SetEvent();
  EXPECT_LT(multi.Lock(0, TRUE), WAIT_OBJECT_0 + 2);
  EXPECT_TRUE(multi.IsLocked(0));
}

struct CountArgs {
  CCriticalSection* pLock;
  int* pCounter;
};

UINT AFX_CDECL CountUnderLock(LPVOID pParam) {
  CountArgs* args = static_cast<CountArgs*>(pParam);
  for (int i = 0; i < 20000; ++i) {
    CSingleLock lock(args->pLock, TRUE);
    int v = *args->pCounter;
    *args->pCounter = v + 1;
  }
  return 0;
}

TEST(SyncObjects, CriticalSectionSerialises) {
  CCriticalSection section;
  int counter = 0;
  CountArgs args{&section, &counter};
  CWinThread* t1 = StartKept(CountUnderLock, &args);
  CWinThread* t2 = StartKept(CountUnderLock, &args);
  HANDLE handles[] = {t1->m_hThread, t2->m_hThread};
  ASSERT_EQ(WaitForMultipleObjects(2, handles, TRUE, kWait), WAIT_OBJECT_0);
  EXPECT_EQ(counter, 40000);
  delete t1;
  delete t2;
}

}  // namespace
