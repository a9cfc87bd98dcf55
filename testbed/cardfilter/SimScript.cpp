#include "SimScript.h"

#include <cstdarg>
#include <cstdio>
#include <sstream>

#include "include/CardFilterSim.h"

namespace {

constexpr size_t kTsPacket = 188;

std::string Environment(const char* name) {
  char value[1024] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? value : "";
}

std::vector<BYTE> ReadWholePackets(const std::string& path) {
  std::vector<BYTE> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  BYTE block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof(block), f)) > 0) bytes.insert(bytes.end(), block, block + n);
  std::fclose(f);
  bytes.resize(bytes.size() / kTsPacket * kTsPacket);
  return bytes;
}

bool ParseMac(const std::string& hex, BYTE mac[6]) {
  if (hex.size() != 12) return false;
  for (int i = 0; i < 6; ++i) mac[i] = static_cast<BYTE>(std::stoul(hex.substr(i * 2, 2), nullptr, 16));
  return true;
}

}  // namespace

CSimCardScript& CSimCardScript::Instance() {
  static CSimCardScript script;
  return script;
}

BOOL CSimCardScript::Load(const std::string& text) {
  SimCardSettings settings;
  std::vector<Failure> failures;
  bool good = true;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;
    try {
      if (word == "tuner") {
        good &= static_cast<bool>(words >> settings.tunerType);
      } else if (word == "caps") {
        good &= static_cast<bool>(words >> std::hex >> settings.performanceBits >> settings.acquisitionBits >> std::dec);
        words >> settings.capabilityLength;
      } else if (word == "signal") {
        int locked = 0;
        good &= static_cast<bool>(words >> locked >> settings.strength >> settings.quality >> settings.snr >> settings.ber >>
                                  settings.uncorrected >> settings.total);
        settings.locked = locked != 0;
      } else if (word == "mac") {
        std::string hex;
        good &= (words >> hex) && ParseMac(hex, settings.mac);
      } else if (word == "ts") {
        std::string path;
        good &= static_cast<bool>(words >> path);
        settings.stream = ReadWholePackets(path);
        good &= !settings.stream.empty();
      } else if (word == "pace") {
        good &= static_cast<bool>(words >> settings.paceMs);
      } else if (word == "picture") {
        good &= static_cast<bool>(words >> settings.width >> settings.height >> settings.aspect);
      } else if (word == "timeshift") {
        good &= static_cast<bool>(words >> settings.timeshiftSize >> settings.timeshiftPosition);
      } else if (word == "fail") {
        Failure f;
        std::string code, option;
        good &= static_cast<bool>(words >> f.call >> code);
        f.code = static_cast<HRESULT>(std::stoul(code, nullptr, 16));
        int n = 0;
        while (words >> option >> n) {
          if (option == "skip") f.skip = n;
          else if (option == "times") f.times = n;
          else good = false;
        }
        failures.push_back(f);
      } else {
        good = false;
      }
    } catch (const std::exception&) {
      good = false;
    }
  }
  CSingleLock lock(&m_lock, TRUE);
  m_loaded = true;
  m_settings = good ? settings : SimCardSettings();
  m_failures = good ? failures : std::vector<Failure>();
  m_record.clear();
  return good;
}

void CSimCardScript::LoadOnce() {
  {
    CSingleLock lock(&m_lock, TRUE);
    if (m_loaded) return;
  }
  const std::string path = Environment(CARDFILTER_SCRIPT_VARIABLE);
  std::string text;
  if (FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb")) {
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof(block), f)) > 0) text.append(block, n);
    std::fclose(f);
  }
  Load(text);
}

SimCardSettings CSimCardScript::Settings() {
  CSingleLock lock(&m_lock, TRUE);
  return m_settings;
}

void CSimCardScript::SetTimeshiftPosition(LONGLONG position) {
  CSingleLock lock(&m_lock, TRUE);
  m_settings.timeshiftPosition = position;
}

HRESULT CSimCardScript::Fail(const char* call) {
  CSingleLock lock(&m_lock, TRUE);
  for (Failure& f : m_failures) {
    if (f.call != call || f.times == 0) continue;
    if (f.skip > 0) {
      --f.skip;
      continue;
    }
    if (f.times > 0) --f.times;
    return f.code;
  }
  return S_OK;
}

HRESULT CSimCardScript::Call(const char* call, const char* format, ...) {
  std::string line = call;
  if (format) {
    char args[512];
    va_list list;
    va_start(list, format);
    std::vsnprintf(args, sizeof(args), format, list);
    va_end(list);
    line += ' ';
    line += args;
  }
  Record(line);
  return Fail(call);
}

void CSimCardScript::Record(const std::string& line) {
  CSingleLock lock(&m_lock, TRUE);
  m_record += line + '\n';
  const std::string path = Environment(CARDFILTER_RECORD_VARIABLE);
  if (FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::string CSimCardScript::RecordText() {
  CSingleLock lock(&m_lock, TRUE);
  return m_record;
}
