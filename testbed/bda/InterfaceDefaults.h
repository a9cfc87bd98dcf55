// Every method of the BDA interfaces that the stand-ins implement, answering
// E_NOTIMPL: each stand-in derives from the default of its interface and
// overrides what the module calls. IUnknown is left to the stand-in.
#pragma once

#include <BdaPlatform.h>

class DefaultIDVBSTuningSpace : public IDVBSTuningSpace {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *pctinfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_UniqueName(BSTR *Name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_UniqueName(BSTR Name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FriendlyName(BSTR *Name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_FriendlyName(BSTR Name) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CLSID(BSTR *SpaceCLSID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NetworkType(BSTR *NetworkTypeGuid) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_NetworkType(BSTR NetworkTypeGuid) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get__NetworkType(GUID *NetworkTypeGuid) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put__NetworkType(REFCLSID NetworkTypeGuid) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateTuneRequest(ITuneRequest **TuneRequest) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumCategoryGUIDs(IEnumGUID **ppEnum) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDeviceMonikers(IEnumMoniker **ppEnum) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DefaultPreferredComponentTypes(IComponentTypes **ComponentTypes) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DefaultPreferredComponentTypes(IComponentTypes *NewComponentTypes) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FrequencyMapping(BSTR *pMapping) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_FrequencyMapping(BSTR Mapping) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_DefaultLocator(ILocator **LocatorVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_DefaultLocator(ILocator *LocatorVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(ITuningSpace **NewTS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SystemType(DVBSystemType *SysType) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SystemType(DVBSystemType SysType) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NetworkID(LONG *NetworkID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_NetworkID(LONG NetworkID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LowOscillator(LONG *LowOscillator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_LowOscillator(LONG LowOscillator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_HighOscillator(LONG *HighOscillator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_HighOscillator(LONG HighOscillator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LNBSwitch(LONG *LNBSwitch) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_LNBSwitch(LONG LNBSwitch) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InputRange(BSTR *InputRange) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InputRange(BSTR InputRange) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SpectralInversion(SpectralInversion *SpectralInversionVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SpectralInversion(SpectralInversion SpectralInversionVal) override { return E_NOTIMPL; }
};

class DefaultIDVBTuneRequest : public IDVBTuneRequest {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *pctinfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TuningSpace(ITuningSpace **TuningSpace) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Components(IComponents **Components) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(ITuneRequest **NewTuneRequest) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Locator(ILocator **Locator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Locator(ILocator *Locator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ONID(LONG *ONID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ONID(LONG ONID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TSID(LONG *TSID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_TSID(LONG TSID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SID(LONG *SID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SID(LONG SID) override { return E_NOTIMPL; }
};

class DefaultIDVBSLocator : public IDVBSLocator {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *pctinfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CarrierFrequency(LONG *Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_CarrierFrequency(LONG Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Modulation(ModulationType *Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Modulation(ModulationType Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SymbolRate(LONG *Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SymbolRate(LONG Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(ILocator **NewLocator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalPolarisation(Polarisation *PolarisationVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SignalPolarisation(Polarisation PolarisationVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_WestPosition(VARIANT_BOOL *WestLongitude) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_WestPosition(VARIANT_BOOL WestLongitude) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OrbitalPosition(LONG *longitude) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OrbitalPosition(LONG longitude) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Azimuth(LONG *Azimuth) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Azimuth(LONG Azimuth) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Elevation(LONG *Elevation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Elevation(LONG Elevation) override { return E_NOTIMPL; }
};

class DefaultIDVBTLocator : public IDVBTLocator {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *pctinfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CarrierFrequency(LONG *Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_CarrierFrequency(LONG Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Modulation(ModulationType *Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Modulation(ModulationType Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SymbolRate(LONG *Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SymbolRate(LONG Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(ILocator **NewLocator) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Bandwidth(LONG *BandWidthVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Bandwidth(LONG BandwidthVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LPInnerFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_LPInnerFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LPInnerFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_LPInnerFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_HAlpha(HierarchyAlpha *Alpha) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_HAlpha(HierarchyAlpha Alpha) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Guard(GuardInterval *GI) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Guard(GuardInterval GI) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Mode(TransmissionMode *mode) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Mode(TransmissionMode mode) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OtherFrequencyInUse(VARIANT_BOOL *OtherFrequencyInUseVal) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OtherFrequencyInUse(VARIANT_BOOL OtherFrequencyInUseVal) override { return E_NOTIMPL; }
};

class DefaultIDVBCLocator : public IDVBCLocator {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *pctinfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CarrierFrequency(LONG *Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_CarrierFrequency(LONG Frequency) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_InnerFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_InnerFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFEC(FECMethod *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFEC(FECMethod FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_OuterFECRate(BinaryConvolutionCodeRate *FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_OuterFECRate(BinaryConvolutionCodeRate FEC) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Modulation(ModulationType *Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Modulation(ModulationType Modulation) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SymbolRate(LONG *Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SymbolRate(LONG Rate) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(ILocator **NewLocator) override { return E_NOTIMPL; }
};

class DefaultITuner : public ITuner {
 public:
  HRESULT STDMETHODCALLTYPE get_TuningSpace(ITuningSpace **TuningSpace) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_TuningSpace(ITuningSpace *TuningSpace) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumTuningSpaces(IEnumTuningSpaces **ppEnum) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TuneRequest(ITuneRequest **TuneRequest) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_TuneRequest(ITuneRequest *TuneRequest) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Validate(ITuneRequest *TuneRequest) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_PreferredComponentTypes(IComponentTypes **ComponentTypes) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_PreferredComponentTypes(IComponentTypes *ComponentTypes) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalStrength(LONG *Strength) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TriggerSignalEvents(LONG Interval) override { return E_NOTIMPL; }
};

class DefaultIBDA_Topology : public IBDA_Topology {
 public:
  HRESULT STDMETHODCALLTYPE GetNodeTypes(ULONG *pulcNodeTypes, ULONG ulcNodeTypesMax, ULONG rgulNodeTypes[]) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNodeDescriptors(ULONG *ulcNodeDescriptors, ULONG ulcNodeDescriptorsMax, BDANODE_DESCRIPTOR rgNodeDescriptors[]) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNodeInterfaces(ULONG ulNodeType, ULONG *pulcInterfaces, ULONG ulcInterfacesMax, GUID rgguidInterfaces[]) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetPinTypes(ULONG *pulcPinTypes, ULONG ulcPinTypesMax, ULONG rgulPinTypes[]) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTemplateConnections(ULONG *pulcConnections, ULONG ulcConnectionsMax, BDA_TEMPLATE_CONNECTION rgConnections[]) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreatePin(ULONG ulPinType, ULONG *pulPinId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeletePin(ULONG ulPinId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMediaType(ULONG ulPinId, AM_MEDIA_TYPE *pMediaType) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMedium(ULONG ulPinId, REGPINMEDIUM *pMedium) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateTopology(ULONG ulInputPinId, ULONG ulOutputPinId) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetControlNode(ULONG ulInputPinId, ULONG ulOutputPinId, ULONG ulNodeType, IUnknown **ppControlNode) override { return E_NOTIMPL; }
};

class DefaultIBDA_SignalStatistics : public IBDA_SignalStatistics {
 public:
  HRESULT STDMETHODCALLTYPE put_SignalStrength(LONG lDbStrength) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalStrength(LONG *plDbStrength) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SignalQuality(LONG lPercentQuality) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalQuality(LONG *plPercentQuality) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SignalPresent(BOOLEAN fPresent) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalPresent(BOOLEAN *pfPresent) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SignalLocked(BOOLEAN fLocked) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SignalLocked(BOOLEAN *pfLocked) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_SampleTime(LONG lmsSampleTime) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SampleTime(LONG *plmsSampleTime) override { return E_NOTIMPL; }
};

class DefaultIMPEG2PIDMap : public IMPEG2PIDMap {
 public:
  HRESULT STDMETHODCALLTYPE MapPID(ULONG culPID, ULONG *pulPID, MEDIA_SAMPLE_CONTENT MediaSampleContent) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnmapPID(ULONG culPID, ULONG *pulPID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumPIDMap(IEnumPIDMap **pIEnumPIDMap) override { return E_NOTIMPL; }
};
