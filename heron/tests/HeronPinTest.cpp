// heron's filter object and pins outside a running graph: identity, the
// media types each mode offers and accepts, and aggregation.
#include "../include/ISourceFeed.h"
#include "DShowTestSupport.h"
#include "PesBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

struct Heron {
  ComPtr<IBaseFilter> filter = CreateHeron();
  ComPtr<ISourceFeed> feed;
  ComPtr<IPin> video;
  ComPtr<IPin> audio;
  Heron() {
    filter.As(&feed, IID_ISourceFeed);
    video = FindPin(filter.Get(), L"Video");
    audio = FindPin(filter.Get(), L"Audio");
  }
  void PushVideo(Bytes p) { feed->DeliverVideo(p.data(), static_cast<LONG>(p.size())); }
};

const MPEG2VIDEOINFO* VideoInfo(const CMediaType& mt) { return reinterpret_cast<const MPEG2VIDEOINFO*>(mt.Format()); }

HRESULT Accepts(IPin* pin, const GUID& major, const GUID& sub) {
  CMediaType mt;
  mt.SetType(&major);
  mt.SetSubtype(&sub);
  return pin->QueryAccept(&mt);
}

}  // namespace

TEST(HeronPins, VideoThenAudioOutputPins) {
  Heron h;
  ComPtr<IEnumPins> e;
  ASSERT_EQ(S_OK, h.filter->EnumPins(e.Put()));
  IPin* fetched[3] = {};
  ULONG n = 0;
  EXPECT_EQ(S_FALSE, e->Next(3, fetched, &n));
  ASSERT_EQ(2u, n);
  ComPtr<IPin> pins[2];
  for (ULONG i = 0; i < n; i++) pins[i].Attach(fetched[i]);
  const WCHAR* names[] = {L"Video", L"Audio"};
  for (ULONG i = 0; i < n; i++) {
    PIN_INFO info;
    ASSERT_EQ(S_OK, pins[i]->QueryPinInfo(&info));
    ComPtr<IBaseFilter> owner;
    owner.Attach(info.pFilter);
    EXPECT_STREQ(names[i], info.achName);
    EXPECT_EQ(PINDIR_OUTPUT, info.dir);
    EXPECT_EQ(h.filter.Get(), owner.Get());
    LPWSTR id = nullptr;
    ASSERT_EQ(S_OK, pins[i]->QueryId(&id));
    EXPECT_STREQ(names[i], id);
    CoTaskMemFree(id);
    // Quality messages are refused.
    ComPtr<IQualityControl> qc;
    ASSERT_EQ(S_OK, pins[i]->QueryInterface(IID_IQualityControl, qc.PutVoid()));
    Quality q = {};
    EXPECT_EQ(E_FAIL, qc->Notify(h.filter.Get(), q));
  }
  CLSID clsid;
  ASSERT_EQ(S_OK, h.filter->GetClassID(&clsid));
  EXPECT_TRUE(IsEqualCLSID(CLSID_ExSourceFilter, clsid));
}

TEST(HeronPins, VideoFormatDefaultsWithoutAQueuedSequenceHeader) {
  Heron h;
  h.PushVideo(pes::VideoPts(1000, Bytes(100, 0)));  // no sequence header in it
  CMediaType mt;
  ASSERT_TRUE(FirstMediaType(h.video.Get(), &mt));
  EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Video, mt.majortype));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_VIDEO, mt.subtype));
  EXPECT_TRUE(IsEqualGUID(FORMAT_MPEG2Video, mt.formattype));
  ASSERT_EQ(148u, mt.cbFormat);
  const MPEG2VIDEOINFO* vi = VideoInfo(mt);
  EXPECT_EQ(0, vi->hdr.rcSource.left);
  EXPECT_EQ(768, vi->hdr.rcSource.right);
  EXPECT_EQ(576, vi->hdr.rcSource.bottom);
  EXPECT_EQ(0, vi->hdr.rcTarget.right);
  EXPECT_EQ(4000000u, vi->hdr.dwBitRate);
  EXPECT_EQ(333667, vi->hdr.AvgTimePerFrame);
  EXPECT_EQ(4u, vi->hdr.dwPictAspectRatioX);
  EXPECT_EQ(3u, vi->hdr.dwPictAspectRatioY);
  EXPECT_EQ(40u, vi->hdr.bmiHeader.biSize);
  EXPECT_EQ(720, vi->hdr.bmiHeader.biWidth);
  EXPECT_EQ(480, vi->hdr.bmiHeader.biHeight);
  EXPECT_EQ(12u, vi->cbSequenceHeader);
  EXPECT_EQ(2u, vi->dwProfile);
  EXPECT_EQ(2u, vi->dwLevel);
  EXPECT_EQ(0u, vi->dwFlags);
  const BYTE kDefault[12] = {0x00, 0x00, 0x01, 0xB3, 0x21, 0x02, 0x40, 0x23, 0x0D, 0x6D, 0xA3, 0x82};
  EXPECT_EQ(0, memcmp(kDefault, vi->dwSequenceHeader, 12));
}

TEST(HeronPins, VideoFormatFromTheFirstQueuedSequenceHeader) {
  Heron h;
  h.PushVideo(pes::VideoPts(1000, Bytes(30, 0)));
  Bytes payload = {0x00, 0x00, 0x01, 0xB5};  // something before the header
  Bytes seq = pes::SequenceHeader(720, 576, 3, 15000);
  payload.insert(payload.end(), seq.begin(), seq.end());
  payload.insert(payload.end(), 20, 0);
  h.PushVideo(pes::VideoPts(4600, payload));
  h.PushVideo(pes::Video(pes::SequenceHeader(352, 288, 2, 100)));
  CMediaType mt;
  ASSERT_TRUE(FirstMediaType(h.video.Get(), &mt));
  ASSERT_EQ(148u, mt.cbFormat);
  const MPEG2VIDEOINFO* vi = VideoInfo(mt);
  EXPECT_EQ(720, vi->hdr.rcSource.right);
  EXPECT_EQ(576, vi->hdr.rcSource.bottom);
  EXPECT_EQ(16u, vi->hdr.dwPictAspectRatioX);
  EXPECT_EQ(9u, vi->hdr.dwPictAspectRatioY);
  EXPECT_EQ(15000u * 400, vi->hdr.dwBitRate);
  EXPECT_EQ(333667, vi->hdr.AvgTimePerFrame);
  EXPECT_EQ(0u, vi->hdr.bmiHeader.biSize);
  EXPECT_EQ(0, memcmp(seq.data(), vi->dwSequenceHeader, 12));

  // A reset empties the queue: back to the defaults.
  h.feed->Reset(FALSE, FALSE, 0);
  ASSERT_TRUE(FirstMediaType(h.video.Get(), &mt));
  EXPECT_EQ(768, VideoInfo(mt)->hdr.rcSource.right);
}

TEST(HeronPins, AudioWaveFormat) {
  Heron h;
  CMediaType mt;
  ASSERT_TRUE(FirstMediaType(h.audio.Get(), &mt));
  EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Audio, mt.majortype));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_AUDIO, mt.subtype));
  EXPECT_TRUE(IsEqualGUID(FORMAT_WaveFormatEx, mt.formattype));
  ASSERT_EQ(18u, mt.cbFormat);
  const WAVEFORMATEX* wf = reinterpret_cast<const WAVEFORMATEX*>(mt.Format());
  EXPECT_EQ(0xFFFE, wf->wFormatTag);
  EXPECT_EQ(2, wf->nChannels);
  EXPECT_EQ(48000u, wf->nSamplesPerSec);
  EXPECT_EQ(192000u, wf->nAvgBytesPerSec);
  EXPECT_EQ(4, wf->nBlockAlign);
  EXPECT_EQ(16, wf->wBitsPerSample);
  EXPECT_EQ(0, wf->cbSize);
}

TEST(HeronPins, ResetModesChooseTheOfferedSubtypes) {
  struct Row {
    BOOL ac3, h264;
    const GUID* video;
    const GUID* audio;
  } rows[] = {
      {FALSE, FALSE, &MEDIASUBTYPE_MPEG2_VIDEO, &MEDIASUBTYPE_MPEG2_AUDIO},
      {TRUE, FALSE, &MEDIASUBTYPE_MPEG2_VIDEO, &MEDIASUBTYPE_DOLBY_AC3},
      {FALSE, TRUE, &MEDIASUBTYPE_H264_VIDEO, &MEDIASUBTYPE_MPEG2_AUDIO},
      {TRUE, TRUE, &MEDIASUBTYPE_H264_VIDEO, &MEDIASUBTYPE_MPEG2_AUDIO},
  };
  Heron h;
  for (const Row& r : rows) {
    EXPECT_EQ(S_OK, h.feed->Reset(r.ac3, r.h264, 12345));
    CMediaType v, a;
    ASSERT_TRUE(FirstMediaType(h.video.Get(), &v));
    ASSERT_TRUE(FirstMediaType(h.audio.Get(), &a));
    EXPECT_TRUE(IsEqualGUID(*r.video, v.subtype));
    EXPECT_TRUE(IsEqualGUID(*r.audio, a.subtype));
    if (r.h264) {
      EXPECT_TRUE(IsEqualGUID(GUID_NULL, v.formattype));
      EXPECT_EQ(0u, v.cbFormat);
    }
    // Only the subtype is checked, not the major type.
    EXPECT_EQ(S_OK, Accepts(h.video.Get(), MEDIATYPE_Audio, *r.video));
    EXPECT_EQ(S_OK, Accepts(h.audio.Get(), MEDIATYPE_Video, *r.audio));
    EXPECT_EQ(S_FALSE,
              Accepts(h.video.Get(), MEDIATYPE_Video, r.h264 ? MEDIASUBTYPE_MPEG2_VIDEO : MEDIASUBTYPE_H264_VIDEO));
    EXPECT_EQ(S_FALSE, Accepts(h.audio.Get(), MEDIATYPE_Audio,
                               r.ac3 && !r.h264 ? MEDIASUBTYPE_MPEG2_AUDIO : MEDIASUBTYPE_DOLBY_AC3));
  }
}

TEST(HeronPins, StopKeepsAc3AndClearsH264) {
  Heron h;
  h.feed->Reset(TRUE, FALSE, 0);
  CMediaType v, a;
  ASSERT_TRUE(FirstMediaType(h.audio.Get(), &a));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_DOLBY_AC3, a.subtype));
  ASSERT_EQ(S_OK, h.filter->Stop());
  ASSERT_TRUE(FirstMediaType(h.video.Get(), &v));
  ASSERT_TRUE(FirstMediaType(h.audio.Get(), &a));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_VIDEO, v.subtype));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_DOLBY_AC3, a.subtype));

  h.feed->Reset(TRUE, TRUE, 0);
  ASSERT_EQ(S_OK, h.filter->Stop());
  ASSERT_TRUE(FirstMediaType(h.video.Get(), &v));
  ASSERT_TRUE(FirstMediaType(h.audio.Get(), &a));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_VIDEO, v.subtype));
  EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_MPEG2_AUDIO, a.subtype));  // H.264 had cleared AC-3
}

TEST(HeronPins, OneMediaTypePerPin) {
  Heron h;
  ComPtr<IEnumMediaTypes> e;
  ASSERT_EQ(S_OK, h.video->EnumMediaTypes(e.Put()));
  AM_MEDIA_TYPE* types[2] = {};
  ULONG n = 0;
  EXPECT_EQ(S_FALSE, e->Next(2, types, &n));
  EXPECT_EQ(1u, n);
  for (ULONG i = 0; i < n; i++) DeleteMediaType(types[i]);
  EXPECT_EQ(S_FALSE, e->Skip(1));
}

TEST(HeronPins, AggregatesWithAnOuterUnknown) {
  // A minimal owner: counts its references, forwards nothing.
  struct Outer : IUnknown {
    LONG refs = 1;
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
  } outer;

  ComPtr<IUnknown> inner;
  ASSERT_EQ(S_OK, CreateFromLibrary(HeronPath(), CLSID_ExSourceFilter, &outer, IID_IUnknown, inner.PutVoid()));
  // The owner gets the filter's interfaces through the inner unknown; their
  // IUnknown methods go to the owner.
  ComPtr<ISourceFeed> feed;
  ASSERT_EQ(S_OK, inner.As(&feed, IID_ISourceFeed));
  EXPECT_EQ(2, outer.refs);
  ComPtr<IBaseFilter> probe;
  EXPECT_EQ(E_NOINTERFACE, feed.As(&probe, IID_IBaseFilter));
  feed.Reset();
  EXPECT_EQ(1, outer.refs);

  ComPtr<IBaseFilter> refused;
  EXPECT_EQ(E_NOINTERFACE,
            CreateFromLibrary(HeronPath(), CLSID_ExSourceFilter, &outer, IID_IBaseFilter, refused.PutVoid()));
}

TEST(HeronPins, LibraryUnloadsOnlyWithoutLiveObjects) {
  HMODULE h = LoadLibraryA(HeronPath().c_str());
  ASSERT_NE(nullptr, h);
  using CanUnloadFn = HRESULT(WINAPI*)();
  auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(h, "DllCanUnloadNow")));
  ASSERT_NE(nullptr, canUnload);
  {
    Heron alive;
    EXPECT_EQ(S_FALSE, canUnload());
  }
  EXPECT_EQ(S_OK, canUnload());
  FreeLibrary(h);
}
