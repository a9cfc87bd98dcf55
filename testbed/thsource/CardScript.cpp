#include "CardScript.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "include/ThSourceSim.h"

namespace {

constexpr size_t kTsPacket = 188;

std::string Environment(const char* name) {
  char value[1024] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? value : "";
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitBars(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, '|')) parts.push_back(part);
  return parts;
}

std::string RestOfLine(std::istringstream& words) {
  std::string rest;
  std::getline(words >> std::ws, rest);
  return rest;
}

}  // namespace

CCardScript& CCardScript::Instance() {
  static CCardScript script;
  return script;
}

BOOL CCardScript::Load(const std::string& text) {
  CardSettings settings;
  std::deque<CamScreen> screens;
  std::vector<Failure> failures;
  int count = -1;
  bool good = true;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;
    try {
      if (word == "cards") {
        good &= static_cast<bool>(words >> settings.cards);
      } else if (word == "type") {
        good &= static_cast<bool>(words >> settings.type);
      } else if (word == "signal") {
        good &= static_cast<bool>(words >> settings.locked >> settings.signal >> settings.quality);
      } else if (word == "ts") {
        std::string path;
        good &= static_cast<bool>(words >> path);
        const std::string bytes = FileText(path);
        settings.stream.assign(bytes.begin(), bytes.begin() + bytes.size() / kTsPacket * kTsPacket);
        good &= !settings.stream.empty();
      } else if (word == "pace") {
        good &= static_cast<bool>(words >> settings.paceMs);
      } else if (word == "timeshift") {
        good &= static_cast<bool>(words >> settings.writePos >> settings.readPos);
      } else if (word == "cam") {
        settings.cam = true;
        settings.camName = RestOfLine(words);
      } else if (word == "menu" || word == "list") {
        CamScreen screen;
        screen.type = word == "menu" ? 1 : 2;
        screen.texts = SplitBars(RestOfLine(words));
        screen.count = count;
        screens.push_back(screen);
      } else if (word == "enquiry") {
        CamScreen screen;
        screen.type = 3;
        good &= static_cast<bool>(words >> screen.blind >> screen.length);
        screen.texts = {RestOfLine(words)};
        screens.push_back(screen);
      } else if (word == "count") {
        good &= static_cast<bool>(words >> count);
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
  m_settings = good ? settings : CardSettings();
  m_screens = good ? screens : std::deque<CamScreen>();
  m_failures = good ? failures : std::vector<Failure>();
  m_record.clear();
  return good;
}

void CCardScript::LoadOnce() {
  {
    CSingleLock lock(&m_lock, TRUE);
    if (m_loaded) return;
  }
  const std::string path = Environment(THSOURCE_SCRIPT_VARIABLE);
  Load(path.empty() ? std::string() : FileText(path));
}

CardSettings CCardScript::Settings() {
  CSingleLock lock(&m_lock, TRUE);
  return m_settings;
}

void CCardScript::SetReadPos(LONGLONG position) {
  CSingleLock lock(&m_lock, TRUE);
  m_settings.readPos = position;
}

bool CCardScript::CurrentScreen(CamScreen* screen) {
  CSingleLock lock(&m_lock, TRUE);
  if (m_screens.empty()) return false;
  *screen = m_screens.front();
  return true;
}

void CCardScript::NextScreen() {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_screens.empty()) m_screens.pop_front();
}

void CCardScript::ClearScreens() {
  CSingleLock lock(&m_lock, TRUE);
  m_screens.clear();
}

HRESULT CCardScript::InjectedAnswer(const std::string& call) {
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

HRESULT CCardScript::Call(const char* call, const char* format, ...) {
  std::string line = call;
  if (format) {
    char args[512];
    va_list list;
    va_start(list, format);
    std::vsnprintf(args, sizeof(args), format, list);
    va_end(list);
    line += std::string(" ") + args;
  }
  CSingleLock lock(&m_lock, TRUE);
  m_record += line + '\n';
  const std::string path = Environment(THSOURCE_RECORD_VARIABLE);
  if (FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
  return InjectedAnswer(call);
}

std::string CCardScript::RecordText() {
  CSingleLock lock(&m_lock, TRUE);
  return m_record;
}
