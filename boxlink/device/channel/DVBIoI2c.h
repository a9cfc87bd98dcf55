// The library's gateway to the box: the driver's I/O controls and pipe
// transfers on the open device handle, the box command channel (one command
// at a time under m_CS, 20 ms apart), the box command set, the I2C bridge
// with DiSEqC and GPIO, and the MAC address block in the box's EEPROM.
// All members are static.
#pragma once

#include "DVBError.h"
#include <Framework.h>

// A pipe in the driver's numbering, passed to the driver as is.
enum _USB_PIPES {
  USB_PIPE_BULK_CMD_OUT = 0,
  USB_PIPE_BULK_CMD_IN = 1,
  USB_PIPE_INT_CTRL_IN = 7,
};

// An alternate setting of the box's USB interface, passed as is.
enum _ALTERNATE_SETTINGS {
  USB_ALTERNATE_SETTING_0 = 0,
};

class AFX_EXT_CLASS CDVBIoI2c {
 public:
  // The class has no state of its own: copying copies nothing.
  CDVBIoI2c& operator=(const CDVBIoI2c&);

  // Driver I/O controls. BOOL results unless noted; pipe reads give the
  // bytes read and pipe writes the length sent, 0xFF (BYTE) or -1 (int) on
  // failure.
  static BOOL GetDeviceConfigDescriptor(BYTE* buffer, DWORD& length);
  static BOOL ResetDevice();
  static BOOL AbortPipe(_USB_PIPES pipe);
  static BOOL ResetPipe(_USB_PIPES pipe);
  static BYTE WriteEPBulkCmdOut(BYTE* data, BYTE length);
  static int SyncWriteEPBulkCmdOut(BYTE* data, WORD length);
  static BYTE ReadEPBulkCmdIn(BYTE* buffer, BYTE length);
  static int WriteEPBulkStrmOut(BYTE* data, WORD length);
  static int ReadEPBulkStrmIn(BYTE* buffer, WORD length);
  static BYTE WriteEPIntCtrlOut(BYTE* data, BYTE length);
  static BYTE ReadEPIntCtrlIn(BYTE* buffer, BYTE length);
  static BOOL SelectAlternateSetting(_ALTERNATE_SETTINGS setting);
  static BOOL SwitchIsoInStreamOnOff(BOOL on);
  static BOOL SwitchIsoOutStreamOnOff(BOOL on);
  static BOOL GetUsbBandWidth(DWORD& first, DWORD& second);
  static BOOL GetUsbDeviceIDs(WORD& vendor, WORD& product);
  static BOOL SetupReadEvent(CEvent& event, BOOL set);
  static BOOL SetupWriteEvent(CEvent& event, BOOL set);
  static BOOL GetDriverStatus(DWORD* words, BYTE count);
  static BOOL GetDriverStatus(DWORD& s0, DWORD& s1, DWORD& s2, DWORD& s3, DWORD& s4, DWORD& s5, DWORD& s6, DWORD& s7,
                              DWORD& s8, DWORD& s9, DWORD& s10, DWORD& s11, DWORD& s12, DWORD& s13, DWORD& s14,
                              DWORD& s15, DWORD& s16);
  static BOOL SetPipeTimeout(_USB_PIPES pipe, DWORD milliseconds);
  static BOOL ResetDriver();
  static BOOL GetAlternateSetting(_ALTERNATE_SETTINGS& setting);
  static BOOL SetThreshold(DWORD value);
  static BOOL ClearBuffer();
  static DWORD GetUsbStbDrvVersion();
  static int ReadEPIsoStrmIn(BYTE* buffer, int length);
  static int WriteEPIsoStrmOut(BYTE* data, int length);

  // The command channel: 0xFF on failure, else the number of answer bytes.
  static BYTE SendCommand(BYTE command, BYTE* parameters, BYTE parameterLength, void* answer, BYTE answerLength);

  // System, mode and versions.
  static BOOL SetGPIO(BYTE output, int value);
  static BOOL GetSTBMode(DWORD& mode, DWORD& second, DWORD& third);
  static BOOL GetSTBVersions(WORD& v0, WORD& v1, WORD& v2, WORD& v3, WORD& v4, WORD& v5);
  static void SetBitRate(WORD unused, WORD kHz);
  static int GetBitRate();
  static BOOL ResetSTB(DWORD mode);

  // A/V decoder.
  static BOOL SetPIDs(DWORD& answer, WORD pid0, WORD pid1, WORD pid2, WORD pid3, WORD pid4, WORD pid5);
  static BOOL SetVolume(BYTE& answer, BYTE first, BYTE second);

  // Section and pipe filters.
  static BOOL AddSectionFilter(WORD& filter, WORD pid, BYTE* data, BYTE* mask, BYTE length, WORD mode);
  static BOOL AddPipeFilter(WORD& filter, WORD pid, WORD value);
  static BOOL DelFilter(WORD& filter);

  // Front end.
  static BOOL GetFEType(DWORD& type);
  static BOOL SetChannelS(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3, DWORD a4, DWORD a5, DWORD a6, DWORD a7,
                          DWORD a8);
  static BOOL SetChannelC(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3);
  static BOOL SetChannelT(DWORD& answer, DWORD a0, DWORD a1, DWORD a2, DWORD a3);
  static BOOL GetFEMachineState(DWORD& state);
  static BOOL GetFELockState(DWORD& w0, DWORD& w1, DWORD& w2);
  static BOOL GetFESignalInfo(DWORD& w0, DWORD& w1, DWORD& w2, DWORD& w3, DWORD& w4, DWORD& w5, DWORD& w6, DWORD& w7,
                              DWORD& w8, DWORD& w9, DWORD& w10, DWORD& w11);
  static BOOL SendFECommand(BYTE* request, BYTE length, BYTE* answer, BYTE& answerLength);

  // Teletext.
  static WORD VTEnable(WORD pid);
  static BOOL VTDisable();
  static BOOL VTModifySearchTable(WORD w0, WORD w1, WORD w2, WORD w3);
  static BOOL VTGetP29_P830(int value);

  // Recording and playback.
  static BOOL RPRecord(BYTE format);
  static BOOL RPStop();
  static BOOL RPPlay(BYTE format);
  static BOOL RPPause();
  static BOOL RPSlow(BYTE value);
  static BOOL RPFast_IP();
  static BOOL RPFast_I();

  // Interrupt-in messages of the box.
  static BOOL SetEPIntInState(int on);

  // I2C bridge (7-bit addresses; one byte per int), DiSEqC, GPIO.
  static int CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount);
  static int ReadSeq(int address, int* read, int count);
  static int WriteSeq(int address, const int* write, int count);
  static int GetErrNo();
  static int I2CWriteRead(BYTE, BYTE*, BYTE&, BYTE*, BYTE&);
  static int SetTerFreqCmd(WORD, WORD);
  static BOOL GetAnalog();
  static BOOL SendDiSEqC(DWORD& status, BYTE mode, BYTE* message, BYTE length);
  static int DiSEqCMsg(BYTE* message, BYTE length, BYTE mode, int variant);
  static BOOL GetPCISubIDs(DWORD& ids);
  static void SetResetLine(int);
  static int SetLnbPwrPolF22(int supply, int volt13, int tone22k, int variant, int japanLnb);

  // The box's MAC address in its EEPROM.
  static BOOL ReadMAC(DWORD& first, DWORD& second);
  static BOOL WriteMac(DWORD first, DWORD second);

  // Diagnostics: text of the first length bytes of a configuration
  // descriptor from GetDeviceConfigDescriptor.
  static BOOL FormatDeviceConfigDescriptor(BYTE* descriptor, DWORD length, char* text, DWORD& size);

  // Firmware download: boot from the PC (mode 1) or flash update (mode 0).
  static BOOL STBUpdateFlashOrBootPCMode(const char* file, int mode);
  static BOOL STBUpdateFlashOrBootPCMode_Mem(BYTE* image, DWORD length, int mode);
  static int STBUpdateHeader(DWORD length, WORD checksum, int mode);
  static int STBUpdateHeader(BYTE* header, int length);
  static int STBUpdateData(BYTE* data, int length);
  static int STBUpdateStart();
  static int STBUpdateStart(int mode);
  static const DWORD crc_table[256];

  static CCriticalSection m_CS;
  static int m_err;

 private:
  static short MACBLOCK_CRC(BYTE* block, short length);
  static short MACBLOCK_DECRYPT(DWORD* first, DWORD* second, WORD* scrambled);
  static short MACBLOCK_ENCRYPT(DWORD first, DWORD second, BYTE* scrambled);

  static void CountI2cFailure();

  static DWORD crc32(DWORD crc, const BYTE* data, DWORD length);
  static WORD Box_Get_CRC(BYTE* data, long length);
};
