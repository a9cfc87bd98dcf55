// Construction, detection and initialisation of the front end.
#include "FrontendCore.h"

#include "FrontendDetection.h"
#include "FrontendTables.h"
#include "FrontendVariants.h"

namespace {

// InitIntern's result bits; Init fails on any of 0x1C00.
const WORD kNoFrontend = 0x0400;
const WORD kTunerProbeFailed = 0x0800;
const WORD kBoxFirmwareFailed = 0x0C00;
const WORD kScMainFailed = 0x1000;
const WORD kInitFailed = 0x1C00;

const DWORD kSearchCapability = 0x100;

const DWORD kResetPauseMs = 200;
const DWORD k8083PauseMs = 50;
const DWORD kDefaultBerPeriod = 1000000;

}  // namespace

const char CFrontendCore::kFw25Microcode[] = "Boot\\ter_fw25.mc";
const char CFrontendCore::kFw46Microcode[] = "Boot\\ter_fw46.mc";

CFrontendCore::CFrontendCore(IFrontendBus& bus, IFrontendSettings& settings)
    : m_bus(bus), m_settings(settings), m_i2c(bus) {}

CFrontendCore::~CFrontendCore() = default;

bool CFrontendCore::Stv0299DriverInUse() const {
  bool variant = m_dwVariant == 15 || m_dwVariant == 20 || m_dwVariant == 24 || m_dwVariant == 27;
  return variant && m_bUseSatDriver && m_pSTV0299Driver;
}

IFESearchDriver* CFrontendCore::SearchDriver() {
  bool ves = m_dwVariant >= 2 && m_dwVariant <= 4;
  if (!ves || !m_bUseVesDriver) return nullptr;
  if (m_pSearchDriver) return m_pSearchDriver.get();
  if (SatVesInUse()) return m_pSatVes.get();
  return CabVesInUse() ? m_pCabVes.get() : nullptr;
}

int CFrontendCore::Init() {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  m_bAnalog = m_bus.GetAnalog();
  m_Channel = frontendtypes::_CHANNEL_TYPE();
  return (InitIntern() & kInitFailed) ? DVB_ERR_FAILED : DVB_ERR_NONE;
}

WORD CFrontendCore::InitIntern() {
  DWORD value = 0;
  m_bJapanLNB = m_settings.ReadDWord("JapanLNB", value) && value != 0;
  if (m_settings.ReadDWord("HighSymbolrates", value)) m_bUseSatDriver = value != 1;

  m_bus.SetResetLine(1);
  m_bus.Sleep(kResetPauseMs);
  m_i2c.m_nI2CRetries = 1;
  m_bus.SetBitRate(0x21, 100);
  m_dwVariant = 0;
  WORD result = 0;

  m_dwDeviceId = 0;
  m_bus.GetPCISubIDs(m_dwDeviceId);
  m_dwVariant = frontenddetection::Probe(m_i2c, m_dwDeviceId);
  if (!m_dwVariant) result = kNoFrontend;

  m_bus.GetErrNo();
  int kept = 0;  // failures the deciding probes took off the count
  m_dwVariant = frontenddetection::Complete(m_i2c, m_dwVariant, m_dwDeviceId, kept);
  const frontendvariants::Variant& row = frontendvariants::Lookup(m_dwVariant);
  m_Type = row.type;
  m_dwCaps = row.caps;
  if (m_dwVariant == 18) m_bUseSatDriver = 1;
  bool stv0299 = m_dwVariant == 15 || m_dwVariant == 20 || m_dwVariant == 24 || m_dwVariant == 27;
  if (stv0299 && !m_bUseSatDriver) m_dwCaps = 0x1;
  if (m_dwVariant == 26 && frontendvariants::IsAntennaPowerKind(m_dwDeviceId)) m_dwCaps = 0x10000;
  if (m_bus.GetErrNo() + kept != 0) result |= kTunerProbeFailed;

  if (result == 0) {
    if (frontendvariants::IsBoxFirmware(m_dwVariant) && !m_pBoxFEDriver)
      m_pBoxFEDriver.reset(new CFEBoxFirmware(m_bus));
    if (stv0299 && m_bUseSatDriver && !m_pSTV0299Driver) m_pSTV0299Driver.reset(new CFESatSTV0299(m_bus));
    if (m_dwVariant >= 28 && m_dwVariant <= 30 && !m_pSatVerDriver) {
      static const BYTE kAddress[3] = {0xF2, 0xA6, 0xA0};
      m_pSatVerDriver.reset(new CFESatVer(m_bus, kAddress[m_dwVariant - 28]));
    }
    if (m_dwVariant == 2 && m_bUseVesDriver && !m_pSatVes) m_pSatVes.reset(new CFESatVES18xx(m_bus));
    if (m_dwVariant == 3 && m_bUseVesDriver && !m_pCabVes) m_pCabVes.reset(new CFECabVES18xx(m_bus, 0xC4));
    if ((m_dwVariant == 7 || m_dwVariant == 8) && !m_pScMainDriver)
      m_pScMainDriver.reset(new CFETerScMain(m_bus, m_settings));
    if (m_dwVariant == 25 && !m_pFw25Driver) {
      std::vector<BYTE> image;  // none: the driver reports the microcode not loaded
      m_settings.ReadProgramFile(kFw25Microcode, image);
      m_pFw25Driver.reset(new CFETerFw25(m_bus, std::move(image)));
    }
    if ((m_dwVariant == 26 && !m_pFw46Driver) || (m_dwVariant == 31 && !m_pFw46BDriver)) {
      std::vector<BYTE> image;
      m_settings.ReadProgramFile(kFw46Microcode, image);
      if (m_dwVariant == 26)
        m_pFw46Driver.reset(new CFETerFw46(m_bus, std::move(image)));
      else
        m_pFw46BDriver.reset(new CFETerFw46B(m_bus, std::move(image)));
    }
    if (m_dwVariant == 17 && !m_p0297Driver)
      m_p0297Driver.reset(new CFECab0297(m_bus, frontendvariants::CableBoardIndex(m_dwDeviceId)));
    result = InitFE();
  }
  // Searching is offered only where a driver object can sweep.
  if (!SearchDriver()) m_dwCaps &= ~kSearchCapability;

  m_i2c.m_nI2CRetries = 3;
  m_wAFCBase = 0;
  m_dwBERPeriod = kDefaultBerPeriod;
  m_nInversion = 0;
  if (m_Type == frontendtypes::FE_SATELLITE) m_bus.SetLnbPwrPolF22(0, 0, 0, int(m_dwVariant), m_bJapanLNB);
  if (m_dwCaps & 0x10000) {
    if (m_dwVariant == 23 && m_pBoxFEDriver) m_pBoxFEDriver->SetAntennaPower(0);
    if (m_dwVariant == 26 && m_bus.SetLnbPwrPolF22(0, 0, 0, 26, 0)) m_dwAntennaPower = 0;
  }
  return result;
}

WORD CFrontendCore::InitFE() {
  using namespace frontendtables;
  switch (m_dwVariant) {
    case 2:
      if (SatVesInUse()) return m_pSatVes->Init() ? kNoFrontend : 0;
      m_i2c.WriteI2CArray(0x10, g_VesSatellite, kVesSatelliteSize);
      ClrBit_1877_93();  // the table takes effect with a restart
      return 0;
    case 3:
      if (CabVesInUse()) return m_pCabVes->Init() ? kNoFrontend : 0;
      m_i2c.WriteI2CArray(0x12, g_VesCable, kVesCableSize);
      ClrBit_1820();
      return 0;
    case 4:
      g_VesCable[kVesCableSize - 1] = m_i2c.GetPWM();
      m_i2c.WriteI2CArray(0x12, g_VesCable, kVesCableSize);
      ClrBit_1820();
      return 0;
    case 10:
      m_i2c.WriteI2CArrayMC(0xD0, g_8083, k8083Size);
      m_bus.Sleep(k8083PauseMs);
      ClrBit_8083();
      return 0;
    case 15:
    case 18:
    case 20:
    case 24:
    case 27:
      if (Stv0299DriverInUse()) {
        // The tuner kind: 2 on variant 27, 1 on 20 and 24, 0 on 15.
        int mode = m_dwVariant == 27 ? 2 : m_dwVariant == 15 ? 0 : 1;
        m_pSTV0299Driver->Init(m_bJapanLNB, mode);  // its result is not examined
        return 0;
      }
      if (m_dwVariant != 15 && m_dwVariant != 18) g_Stv0299[15] |= 0x80;
      g_Stv0299[4] = m_bJapanLNB ? 0x3E : 0x7D;
      m_i2c.WriteI2CArrayMC(0xD0, g_Stv0299, kStv0299Size);
      return 0;
    case 9:
    case 14: o7k_InitOTI7K(m_dwVariant == 14 ? 1 : 0); return 0;
    case 17:
      if (!m_p0297Driver) return 0;
      m_wBoardRevision = GetBoardRevision();
      InitCab0297();
      SetPWM(m_wBoardRevision < 10 ? 100 : 123);
      m_bus.Sleep(kResetPauseMs);
      return 0;
    case 16:
    case 19: {
      BYTE addr = m_dwVariant == 16 ? 0xAA : 0xA8;
      if (m_i2c.WriteI2CMultiReg(addr, 0, k64781Size, g_64781)) m_i2c.WriteI2CMultiReg(addr, 0, k64781Size, g_64781);
      return 0;
    }
    case 21:
    case 22:
    case 23: {
      if (!m_pBoxFEDriver || !m_pBoxFEDriver->Init(m_dwVariant - 20)) return kBoxFirmwareFailed;
      DWORD caps[8];
      if (m_pBoxFEDriver->GetCapsAndRanges(caps)) m_dwCaps = caps[1];
      return 0;
    }
    case 28:
    case 29:
    case 30:
      if (m_pSatVerDriver) m_pSatVerDriver->Init(m_bJapanLNB);
      return 0;
    case 7:
    case 8: return m_pScMainDriver && !m_pScMainDriver->Init() ? kScMainFailed : 0;
    case 25:
      if (m_pFw25Driver) m_pFw25Driver->Init();  // its result is not examined
      return 0;
    case 26:
      if (m_pFw46Driver) m_pFw46Driver->Init();
      return 0;
    case 31:
      if (m_pFw46BDriver) m_pFw46BDriver->Init();
      return 0;
    default: return 0;
  }
}

// The STV0297's initialisation as the front end runs it at start-up and
// before each tune of the boards 1-3: the register table and the bit-error
// counter set-up.
void CFrontendCore::InitCab0297() {
  if (!m_p0297Driver) return;
  m_p0297Driver->InitRegisters();
  static const struct {
    DWORD desc;
    int val;
  } kBerCounter[] = {{0x1088, 1}, {0x80A0, 0}, {0x10A0, 0}, {0x08A0, 0}, {0x07A0, 4}};
  for (const auto& w : kBerCounter) m_p0297Driver->WriteField(w.desc, w.val);
}

// The board revision in the first two bytes of the board EEPROM; 0 when it
// cannot be read.
WORD CFrontendCore::GetBoardRevision() {
  if (m_dwVariant != 17 || !m_p0297Driver) return 0;
  BYTE bytes[4];
  if (!m_i2c.ReadEeprom(0x00, bytes, 4)) return 0;
  return WORD(bytes[0] << 8 | bytes[1]);
}
