#include "SimCard.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "CardSim.h"

namespace {

constexpr size_t kTsPacket = 188;

std::string Environment(const char* name) {
  char value[1024] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? value : "";
}

// A script text with \xHH escapes resolved.
std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<BYTE> Hex(const std::string& text) {
  std::vector<BYTE> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(static_cast<BYTE>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(Unescape(part));
  return parts;
}

std::string Rest(std::istringstream& words) {
  std::string rest;
  std::getline(words >> std::ws, rest);
  return rest;
}

bool ParseCiMessage(std::istringstream& words, SimCiMessage* m) {
  int slot = 0;
  if (!(words >> m->kind >> slot)) return false;
  m->slot = static_cast<BYTE>(slot);
  if (m->kind == "slot") {
    int state = 0;
    if (!(words >> state)) return false;
    m->numbers = {state};
    words >> m->text;
    m->text = Unescape(m->text);
    for (std::string id; words >> id;) m->caIds.push_back(static_cast<WORD>(std::stoul(id, nullptr, 16)));
  } else if (m->kind == "castatus" || m->kind == "enquiry") {
    int a = 0, b = 0;
    if (!(words >> a >> b)) return false;
    m->numbers = {a, b};
  } else if (m->kind == "string") {
    m->text = Unescape(Rest(words));
  } else if (m->kind == "menu" || m->kind == "list") {
    m->lines = Split(Rest(words), '|');
  } else if (m->kind == "raw") {
    std::string kind, hex;
    int length = 0;
    if (!(words >> kind >> length)) return false;
    words >> hex;
    m->text = kind;
    m->numbers = {length};
    m->raw = Hex(hex);
  } else if (m->kind != "osdoff") {
    return false;
  }
  return true;
}

}  // namespace

std::vector<BYTE> PidPayload(const std::vector<BYTE>& file, WORD pid) {
  const bool ts = file.size() >= kTsPacket && file.size() % kTsPacket == 0 && file[0] == 0x47;
  if (!ts) return file;
  std::vector<BYTE> payload;
  for (size_t i = 0; i + kTsPacket <= file.size(); i += kTsPacket) {
    const BYTE* p = &file[i];
    if (((p[1] & 0x1F) << 8 | p[2]) != pid) continue;
    size_t start = 4;
    const int control = (p[3] >> 4) & 3;
    if (control == 2 || control == 0) continue;
    if (control == 3) start += 1 + p[4];
    if (start < kTsPacket) payload.insert(payload.end(), p + start, p + kTsPacket);
  }
  return payload;
}

CSimCard& CSimCard::Get() {
  static CSimCard card;
  return card;
}

CSimCard::CSimCard() : m_recordPath(Environment("QUILLON_CARDLINK_RECORD")) {
  const std::string path = Environment("QUILLON_CARDLINK_SCRIPT");
  if (path.empty()) return;
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  std::string bad;
  if (!Load(text, &bad)) Record("script: cannot read \"%s\"", bad.c_str());
}

bool CSimCard::Load(const std::string& text, std::string* badLine) {
  {
    CSingleLock lock(&m_lock, TRUE);
    m_failures.clear();
    m_triggers.clear();
  }
  settings = Settings();
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!ParseLine(line)) {
      *badLine = line;
      return false;
    }
  }
  return true;
}

bool CSimCard::ParseLine(const std::string& line) {
  std::istringstream words(line);
  std::string verb;
  words >> verb;
  if (verb == "devices") return static_cast<bool>(words >> settings.devices);
  if (verb == "name") return !(settings.name = Unescape(Rest(words))).empty();
  if (verb == "mac") return !(settings.mac = Rest(words)).empty();
  if (verb == "type") return static_cast<bool>(words >> settings.frontendType);
  if (verb == "beversion") {
    std::string hex;
    words >> hex;
    settings.beVersion = static_cast<DWORD>(std::stoul(hex, nullptr, 16));
    return true;
  }
  if (verb == "avcaps") {
    std::string hex;
    words >> hex;
    settings.avCapabilities = static_cast<DWORD>(std::stoul(hex, nullptr, 16));
    return true;
  }
  if (verb == "picture") return static_cast<bool>(words >> settings.pictureWidth >> settings.pictureHeight);
  if (verb == "ddmode") return static_cast<bool>(words >> settings.ddMode);
  if (verb == "playrate") return static_cast<bool>(words >> settings.playRateKbit) && settings.playRateKbit > 0;
  if (verb == "range") return static_cast<bool>(words >> settings.rangeMin >> settings.rangeMax);
  if (verb == "state") return static_cast<bool>(words >> settings.locked >> settings.ber >> settings.level >> settings.quality);
  if (verb == "chunks") return static_cast<bool>(words >> settings.chunkMin >> settings.chunkMax >> settings.seed) && settings.chunkMin >= 1 && settings.chunkMax >= settings.chunkMin;
  if (verb == "pace") return static_cast<bool>(words >> settings.paceMs);
  if (verb == "start") return static_cast<bool>(words >> settings.startDelayMs);
  if (verb == "fail") {
    SimFailure f;
    if (!(words >> f.call >> f.code)) return false;
    for (std::string key; words >> key;) {
      if (key == "skip") words >> f.skip;
      else if (key == "times") words >> f.times;
      else return false;
    }
    CSingleLock lock(&m_lock, TRUE);
    m_failures.push_back(f);
    return true;
  }
  if (verb == "pes" || verb == "section") {
    SimStreamFixture s;
    std::string argument;
    if (!(words >> s.pid >> argument)) return false;
    s.pipe = verb == "pes";
    if (s.pipe) {
      std::ifstream in(argument, std::ios::binary);
      if (!in) return false;
      const std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), {});
      s.bytes = PidPayload(file, s.pid);
    } else {
      s.bytes = Hex(argument);
    }
    settings.streams.push_back(std::move(s));
    return true;
  }
  if (verb == "ttx") {
    std::string hex;
    words >> hex;
    settings.teletext.push_back(Hex(hex));
    return true;
  }
  if (verb == "ci") {
    SimCiTrigger t;
    words >> t.when;
    if (t.when == "none") {
      settings.ciPresent = false;
      return true;
    }
    if (!ParseCiMessage(words, &t.message)) return false;
    CSingleLock lock(&m_lock, TRUE);
    m_triggers.push_back(t);
    return true;
  }
  return false;
}

void CSimCard::ClearRecord() {
  CSingleLock lock(&m_lock, TRUE);
  m_record.clear();
}

void CSimCard::Record(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  CSingleLock lock(&m_lock, TRUE);
  m_record += line;
  m_record += '\n';
  if (m_recordPath.empty()) return;
  if (FILE* file = std::fopen(m_recordPath.c_str(), "ab")) {
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

std::string CSimCard::RecordText() {
  CSingleLock lock(&m_lock, TRUE);
  return m_record;
}

int CSimCard::Fail(const char* call) {
  int code = 0;
  {
    CSingleLock lock(&m_lock, TRUE);
    for (SimFailure& f : m_failures) {
      if (f.call != call) continue;
      ++f.calls;
      if (f.calls > f.skip && (f.times == 0 || f.calls <= f.skip + f.times)) code = f.code;
      break;
    }
  }
  if (code) Record("injected: %s fails with %d", call, code);
  return code;
}

std::vector<SimCiMessage> CSimCard::CiMessages(const std::string& event, const std::string& argument) {
  CSingleLock lock(&m_lock, TRUE);
  std::vector<SimCiMessage> messages;
  for (const SimCiTrigger& t : m_triggers)
    if (t.when == event || t.when == event + ":" + argument) messages.push_back(t.message);
  return messages;
}

extern "C" void CardSimLoadScript(const char* text) {
  CSimCard& card = CSimCard::Get();
  std::string bad;
  card.ClearRecord();
  if (!card.Load(text ? text : "", &bad)) card.Record("script: cannot read \"%s\"", bad.c_str());
}

extern "C" int CardSimRecord(char* buffer, int size) {
  const std::string record = CSimCard::Get().RecordText();
  if (buffer && size > 0) {
    const size_t n = std::min(record.size(), static_cast<size_t>(size - 1));
    record.copy(buffer, n);
    buffer[n] = 0;
  }
  return static_cast<int>(record.size());
}
