// bdasim.ax: the class-factory table of the BDA stand-ins, their filter
// mapper entries, and their registration: the tuners go into the BDA
// network-tuner category with their friendly names, as a BDA driver's
// tuners are listed; everything else is created by class identifier.
#include <Streams.h>

#include <BdaPlatform.h>
#include <tuner.h>
#include <uuids.h>

#include "BdaSim.h"
#include "NetworkProvider.h"
#include "SectionSink.h"
#include "SimDemux.h"
#include "SimTuner.h"
#include "TuningObjects.h"

namespace {

const AMOVIESETUP_MEDIATYPE kMpeSections[] = {{&KSDATAFORMAT_TYPE_MPEG2_SECTIONS, &MEDIASUBTYPE_None}};
const AMOVIESETUP_MEDIATYPE kSiSections[] = {{&KSDATAFORMAT_TYPE_MPEG2_SECTIONS, &MEDIASUBTYPE_DVB_SI}};
WCHAR kIn[] = L"In";
const AMOVIESETUP_PIN kSectionPins[] = {{kIn, TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpeSections}};
const AMOVIESETUP_PIN kTifPins[] = {{kIn, TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kSiSections}};
const AMOVIESETUP_FILTER kSectionFilter = {&CLSID_BdaSimSectionFilter, L"Quillon Sim Section Filter", 0x200000, 1,
                                           kSectionPins};
const AMOVIESETUP_FILTER kTif = {&CLSID_BdaSimTif, L"Quillon Sim TIF", MERIT_NORMAL, 1, kTifPins};

struct Tuner {
  const CLSID* clsid;
  const WCHAR* name;
};
const Tuner kTuners[] = {{&CLSID_BdaSimTunerS, BDASIM_TUNER_S_NAME},
                         {&CLSID_BdaSimTunerT, BDASIM_TUNER_T_NAME},
                         {&CLSID_BdaSimTunerC, BDASIM_TUNER_C_NAME}};

HRESULT RegisterTuners(BOOL bRegister) {
  const HRESULT init = CoInitialize(nullptr);
  struct Uninit {
    HRESULT init;
    ~Uninit() {
      if (SUCCEEDED(init)) CoUninitialize();
    }
  } uninit{init};
  ComPtr<IFilterMapper2> mapper;
  RETURN_IF_FAILED(
      CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.PutVoid()));
  for (const Tuner& t : kTuners) {
    if (!bRegister) {
      mapper->UnregisterFilter(&KSCATEGORY_BDA_NETWORK_TUNER, t.name, *t.clsid);
      continue;
    }
    REGFILTER2 rf2 = {};
    rf2.dwVersion = 1;
    rf2.dwMerit = MERIT_DO_NOT_USE;
    RETURN_IF_FAILED(mapper->RegisterFilter(*t.clsid, t.name, nullptr, &KSCATEGORY_BDA_NETWORK_TUNER, t.name, &rf2));
  }
  return S_OK;
}

}  // namespace

CFactoryTemplate g_Templates[] = {
    {L"Quillon Sim DVB-S Tuning Space", &CLSID_DVBSTuningSpace, CSimTuningSpace::CreateSatellite, nullptr, nullptr},
    {L"Quillon Sim DVB Tuning Space", &CLSID_DVBTuningSpace, CSimTuningSpace::CreateDvb, nullptr, nullptr},
    {L"Quillon Sim DVB-S Locator", &CLSID_DVBSLocator, CreateDvbsLocator, nullptr, nullptr},
    {L"Quillon Sim DVB-T Locator", &CLSID_DVBTLocator, CreateDvbtLocator, nullptr, nullptr},
    {L"Quillon Sim DVB-C Locator", &CLSID_DVBCLocator, CreateDvbcLocator, nullptr, nullptr},
    {L"Quillon Sim DVB-S Network Provider", &DVB_SATELLITE_TV_NETWORK_TYPE, CNetworkProvider::CreateSatellite, nullptr,
     nullptr},
    {L"Quillon Sim DVB-T Network Provider", &DVB_TERRESTRIAL_TV_NETWORK_TYPE, CNetworkProvider::CreateTerrestrial,
     nullptr, nullptr},
    {L"Quillon Sim DVB-C Network Provider", &DVB_CABLE_TV_NETWORK_TYPE, CNetworkProvider::CreateCable, nullptr, nullptr},
    {BDASIM_TUNER_S_NAME, &CLSID_BdaSimTunerS, CSimTuner::CreateSatellite, nullptr, nullptr},
    {BDASIM_TUNER_T_NAME, &CLSID_BdaSimTunerT, CSimTuner::CreateTerrestrial, nullptr, nullptr},
    {BDASIM_TUNER_C_NAME, &CLSID_BdaSimTunerC, CSimTuner::CreateCable, nullptr, nullptr},
    {L"Quillon Sim MPEG-2 Demultiplexer", &CLSID_MPEG2Demultiplexer, CSimDemux::CreateInstance, nullptr, nullptr},
    {L"Quillon Sim Section Filter", &CLSID_BdaSimSectionFilter, CSectionSink::CreateSectionFilter, nullptr,
     &kSectionFilter},
    {L"Quillon Sim TIF", &CLSID_BdaSimTif, CSectionSink::CreateTif, nullptr, &kTif},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() {
  RETURN_IF_FAILED(AMovieDllRegisterServer2(TRUE));
  return RegisterTuners(TRUE);
}

STDAPI DllUnregisterServer() {
  RegisterTuners(FALSE);
  return AMovieDllRegisterServer2(FALSE);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
