// The pins' memory allocator and its samples: sizing and its errors, the
// buffer cycle with each returned sample cleared, waits for a buffer ended by
// a return or a decommit, and buffers that outlive the allocator's last
// outside reference.
#include <MemAllocator.h>
#include <Streams.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

ComPtr<IMemAllocator> Committed(long cBuffers, long cbBuffer) {
  ComPtr<IMemAllocator> alloc;
  EXPECT_EQ(S_OK, CMemAllocator::Create(alloc.Put()));
  ALLOCATOR_PROPERTIES request = {cBuffers, cbBuffer, 1, 0}, actual = {};
  EXPECT_EQ(S_OK, alloc->SetProperties(&request, &actual));
  EXPECT_EQ(S_OK, alloc->Commit());
  return alloc;
}

}  // namespace

TEST(MemAllocator, SizesBuffersAndRefusesWhatItCannotDo) {
  ComPtr<IMemAllocator> alloc;
  ASSERT_EQ(S_OK, CMemAllocator::Create(alloc.Put()));
  EXPECT_EQ(VFW_E_SIZENOTSET, alloc->Commit());
  ComPtr<IMediaSample> sample;
  EXPECT_EQ(VFW_E_NOT_COMMITTED, alloc->GetBuffer(sample.Put(), nullptr, nullptr, 0));

  struct Row {
    ALLOCATOR_PROPERTIES request;
    HRESULT hr;
    long cbActual;
  } rows[] = {
      {{1, 65535, 1, 0}, S_OK, 65535},     {{2, 1000, 16, 0}, S_OK, 1008},
      {{2, 1000, 16, 8}, S_OK, 1000},  // prefix and buffer together on the alignment
      {{1, 100, 0, 0}, VFW_E_BADALIGN, 0}, {{1, 100, 3, 0}, VFW_E_BADALIGN, 0},
      {{-1, 100, 1, 0}, E_INVALIDARG, 0},
  };
  for (const Row& row : rows) {
    ALLOCATOR_PROPERTIES request = row.request, actual = {};
    EXPECT_EQ(row.hr, alloc->SetProperties(&request, &actual)) << row.request.cbBuffer << "/" << row.request.cbAlign;
    if (row.hr == S_OK) {
      EXPECT_EQ(row.cbActual, actual.cbBuffer);
      ALLOCATOR_PROPERTIES got = {};
      ASSERT_EQ(S_OK, alloc->GetProperties(&got));
      EXPECT_EQ(row.cbActual, got.cbBuffer);
      EXPECT_EQ(row.request.cBuffers, got.cBuffers);
    }
  }
  ASSERT_EQ(S_OK, alloc->Commit());
  ALLOCATOR_PROPERTIES request = {1, 10, 1, 0}, actual = {};
  EXPECT_EQ(VFW_E_ALREADY_COMMITTED, alloc->SetProperties(&request, &actual));
  ASSERT_EQ(S_OK, alloc->GetBuffer(sample.Put(), nullptr, nullptr, 0));
  ASSERT_EQ(S_OK, alloc->Decommit());
  EXPECT_EQ(VFW_E_BUFFERS_OUTSTANDING, alloc->SetProperties(&request, &actual));
  sample.Reset();
  EXPECT_EQ(S_OK, alloc->SetProperties(&request, &actual));
}

TEST(MemAllocator, HandsOutEachBufferOnceAndTakesItBackCleared) {
  ComPtr<IMemAllocator> alloc = Committed(2, 100);
  ComPtr<IMediaSample> a, b, c;
  ASSERT_EQ(S_OK, alloc->GetBuffer(a.Put(), nullptr, nullptr, 0));
  ASSERT_EQ(S_OK, alloc->GetBuffer(b.Put(), nullptr, nullptr, 0));
  EXPECT_EQ(VFW_E_TIMEOUT, alloc->GetBuffer(c.Put(), nullptr, nullptr, AM_GBF_NOWAIT));
  BYTE *pa = nullptr, *pb = nullptr;
  a->GetPointer(&pa);
  b->GetPointer(&pb);
  EXPECT_NE(pa, pb);
  EXPECT_EQ(100, a->GetSize());

  // Every property set on the way out is gone when the buffer comes back.
  REFERENCE_TIME start = 10, stop = 20;
  EXPECT_EQ(S_OK, a->SetTime(&start, &stop));
  EXPECT_EQ(S_OK, a->SetSyncPoint(TRUE));
  EXPECT_EQ(S_OK, a->SetDiscontinuity(TRUE));
  EXPECT_EQ(S_OK, a->SetPreroll(TRUE));
  EXPECT_EQ(S_OK, a->SetActualDataLength(100));
  EXPECT_EQ(VFW_E_BUFFER_OVERFLOW, a->SetActualDataLength(101));
  CMediaType mt(&MEDIATYPE_Video);
  EXPECT_EQ(S_OK, a->SetMediaType(&mt));
  LONGLONG m0 = 1, m1 = 2;
  EXPECT_EQ(S_OK, a->SetMediaTime(&m0, &m1));
  AM_MEDIA_TYPE* pmt = nullptr;
  ASSERT_EQ(S_OK, a->GetMediaType(&pmt));
  EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Video, pmt->majortype));
  DeleteMediaType(pmt);
  a.Reset();

  ASSERT_EQ(S_OK, alloc->GetBuffer(c.Put(), nullptr, nullptr, AM_GBF_NOWAIT));
  BYTE* pc = nullptr;
  c->GetPointer(&pc);
  EXPECT_EQ(pa, pc);
  EXPECT_EQ(VFW_E_SAMPLE_TIME_NOT_SET, c->GetTime(&start, &stop));
  EXPECT_EQ(VFW_E_MEDIA_TIME_NOT_SET, c->GetMediaTime(&m0, &m1));
  EXPECT_EQ(S_FALSE, c->IsSyncPoint());
  EXPECT_EQ(S_FALSE, c->IsDiscontinuity());
  EXPECT_EQ(S_FALSE, c->IsPreroll());
  EXPECT_EQ(0, c->GetActualDataLength());
  EXPECT_EQ(S_FALSE, c->GetMediaType(&pmt));
  EXPECT_EQ(nullptr, pmt);

  // A start time alone reads back with a stop time one unit later.
  EXPECT_EQ(S_OK, c->SetTime(&start, nullptr));
  REFERENCE_TIME s0 = 0, s1 = 0;
  EXPECT_EQ(VFW_S_NO_STOP_TIME, c->GetTime(&s0, &s1));
  EXPECT_EQ(start, s0);
  EXPECT_EQ(start + 1, s1);
}

TEST(MemAllocator, AWaitForABufferEndsWithAReturnOrADecommit) {
  ComPtr<IMemAllocator> alloc = Committed(1, 10);
  ComPtr<IMediaSample> held;
  ASSERT_EQ(S_OK, alloc->GetBuffer(held.Put(), nullptr, nullptr, 0));
  BYTE* pHeld = nullptr;
  held->GetPointer(&pHeld);

  HRESULT hr = E_FAIL;
  BYTE* pGot = nullptr;
  std::thread waiter([&] {
    ComPtr<IMediaSample> s;
    hr = alloc->GetBuffer(s.Put(), nullptr, nullptr, 0);
    if (s) s->GetPointer(&pGot);
  });
  held.Reset();  // before or during the wait: the waiter gets this buffer
  waiter.join();
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(pHeld, pGot);

  ASSERT_EQ(S_OK, alloc->GetBuffer(held.Put(), nullptr, nullptr, 0));
  std::thread refused([&] {
    ComPtr<IMediaSample> s;
    hr = alloc->GetBuffer(s.Put(), nullptr, nullptr, 0);
  });
  ASSERT_EQ(S_OK, alloc->Decommit());  // before or during the wait: refused
  refused.join();
  EXPECT_EQ(VFW_E_NOT_COMMITTED, hr);
}

TEST(MemAllocator, ABufferOutKeepsItsAllocator) {
  ComPtr<IMediaSample> sample;
  {
    ComPtr<IMemAllocator> alloc = Committed(1, 64);
    ASSERT_EQ(S_OK, alloc->GetBuffer(sample.Put(), nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, alloc->Decommit());
  }
  BYTE* p = nullptr;
  ASSERT_EQ(S_OK, sample->GetPointer(&p));
  memset(p, 0xAB, 64);  // still the allocator's memory
  EXPECT_EQ(0, sample->GetActualDataLength());
  sample.Reset();  // the last reference: buffer and allocator go
}
