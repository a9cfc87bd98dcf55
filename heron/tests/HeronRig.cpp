#include "HeronRig.h"

#include "PesBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
const uint8_t kFiller[] = {'F', 'I', 'L', 'L'};
}

CHeronRig::CHeronRig() {
  m_heron = CreateHeron();
  m_videoSink = CreateSink();
  m_audioSink = CreateSink();
  if (!m_heron || !m_videoSink || !m_audioSink) return;
  m_heron.As(&m_feed, IID_ISourceFeed);
  m_videoSink.As(&m_videoLog, IID_ITestSinkLog);
  m_audioSink.As(&m_audioLog, IID_ITestSinkLog);
  m_videoSink.As(&m_videoHold, IID_ITestSinkHold);
  m_audioSink.As(&m_audioHold, IID_ITestSinkHold);
  EXPECT_EQ(S_OK, m_graph.Add(m_heron.Get(), L"heron"));
  EXPECT_EQ(S_OK, m_graph.Add(m_videoSink.Get(), L"video sink"));
  EXPECT_EQ(S_OK, m_graph.Add(m_audioSink.Get(), L"audio sink"));
}

HRESULT CHeronRig::ConnectVideo() {
  ComPtr<IPin> out = FindPin(m_heron.Get(), L"Video");
  ComPtr<IPin> in = FindPin(m_videoSink.Get(), L"In");
  return m_graph.ConnectDirect(out.Get(), in.Get());
}

HRESULT CHeronRig::ConnectAudio() {
  ComPtr<IPin> out = FindPin(m_heron.Get(), L"Audio");
  ComPtr<IPin> in = FindPin(m_audioSink.Get(), L"In");
  return m_graph.ConnectDirect(out.Get(), in.Get());
}

void CHeronRig::PushVideoFillers() {
  for (int i = 0; i < kVideoFillers; i++) PushVideo(pes::Video(Bytes(kFiller, kFiller + 4)));
}

void CHeronRig::PushAudioFillers() {
  for (int i = 0; i < kAudioFillers; i++) PushAudio(pes::Audio(Bytes(kFiller, kFiller + 4)));
}

bool CHeronRig::IsFiller(const ReceivedSample& s) {
  return s.payload.size() == 4 && memcmp(s.payload.data(), kFiller, 4) == 0;
}

std::vector<ReceivedSample> CHeronRig::Samples(ITestSinkLog* log, int count) {
  log->WaitForSamples(count, 10000);
  std::vector<ReceivedSample> out;
  for (int i = 0; i < count; i++) {
    ReceivedSample s = {};
    if (log->GetSample(i, &s.info, nullptr, 0) != S_OK) break;
    s.payload.resize(s.info.lLength);
    if (s.info.lLength > 0) log->GetSample(i, &s.info, s.payload.data(), s.info.lLength);
    out.push_back(std::move(s));
  }
  return out;
}
