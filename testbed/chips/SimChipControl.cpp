#include "SimChipControl.h"

#include "SimBox.h"
#include "SimChipBus.h"
#include "SimIdentities.h"

#include <memory>
#include <vector>

namespace {

class CSimChips final : public ISimChips {
 public:
  CSimChips() { CSimBox::SetObserver(&CSimChips::Observe); }
  ~CSimChips() {
    CSimBox::SetObserver(nullptr);
    Drop();
  }

  void SetVariant(int variant) override {
    m_variant = variant;
    if (m_box) Build(*m_box);
  }
  void SetAir(const SimAirSignal& air) override {
    m_air = air;
    if (m_ids) m_ids->Air() = air;
  }
  DWORD UsbIds(int variant) override { return CSimIdentities::UsbIds(variant); }
  int Transfers() override { return m_chips ? int(m_chips->Log().size()) : 0; }
  int GateViolations() override { return m_chips ? m_chips->GateViolations() : 0; }
  void AdvanceClock(DWORD milliseconds) override { m_clock.Advance(milliseconds); }
  void SetMicrocode(const BYTE* image, int length) override {
    m_microcode.assign(image, image + (length > 0 ? length : 0));
  }

 private:
  static void Observe(CSimBox* box, bool created);

  void Build(CSimBox& box) {
    Drop();
    m_box = &box;
    m_chips.reset(new CSimChipBus(box.Bus(), m_clock));
    m_ids.reset(new CSimIdentities(*m_chips, box, nullptr));
    m_ids->Air() = m_air;
    m_ids->SetMicrocode(m_microcode);
    m_ids->Build(m_variant);
  }
  // Off the box while it still stands.
  void Drop() {
    m_ids.reset();
    m_chips.reset();
    m_box = nullptr;
  }

  int m_variant = 0;
  SimAirSignal m_air;
  std::vector<BYTE> m_microcode;
  CSimClock m_clock{CSimClock::kFollowsRealTime};  // the library pauses on the real clock
  CSimBox* m_box = nullptr;
  std::unique_ptr<CSimChipBus> m_chips;
  std::unique_ptr<CSimIdentities> m_ids;
};

CSimChips& Instance() {
  static CSimChips chips;
  return chips;
}

void CSimChips::Observe(CSimBox* box, bool created) {
  CSimChips& self = Instance();
  if (created)
    self.Build(*box);
  else if (box == self.m_box)
    self.Drop();
}

}  // namespace

ISimChips& SimChips() { return Instance(); }
