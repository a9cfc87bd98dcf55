// A process that asks the holder of the box for slave filters, as another
// application would: it takes the request memory's mutex, writes a 64-byte
// request, sets the request event, waits for the response and says it took
// it. It knows the exchange only by its names and byte offsets, and links
// nothing of the library.
//
//   filter_requester <output file> <wait ms> <request>...
//
// Requests: "create", "delete:N", "reset:N", "count:N", "counts:N:n",
// "set:N:type:pid[:hex value bytes:hex mask bytes[:length]]" (the length
// byte is the number of value bytes unless given), "raw:C:N" (command C
// as it stands). Each writes one line to the output file: the response's
// number, command, result, IP, mask, port and filter id in decimal, or
// "no-response" when none came within the wait (the request is then taken
// back), or "error <what>".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kName[] = "D904ECDE-BDD6-472c-A09B-473C628B8A53";
const char kRequestEvent[] = "F583CDF9-07A4-4453-873F-97C2B04D8D88";
const char kResponseReadyEvent[] = "E628974A-B70C-4e30-8268-587581D69ABF";
const char kRequestTakenEvent[] = "2E3D6652-8BB1-4212-8640-17E4B712D84F";
const char kResponseTakenEvent[] = "CF6251C2-4CCC-4d02-BEA7-3137CFF4EB5A";
const DWORD kLockMs = 5000;

void Put32(BYTE* p, DWORD v) {
  for (int i = 0; i < 4; ++i) p[i] = BYTE(v >> (8 * i));
}
DWORD Get32(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  size_t at = 0;
  for (;;) {
    size_t colon = text.find(':', at);
    parts.push_back(text.substr(at, colon - at));
    if (colon == std::string::npos) return parts;
    at = colon + 1;
  }
}

int Hex(const std::string& text, BYTE* out, int max) {
  int n = 0;
  for (size_t i = 0; i + 2 <= text.size() && n < max; i += 2)
    out[n++] = BYTE(strtoul(text.substr(i, 2).c_str(), nullptr, 16));
  return n;
}

// The 64 request bytes of one request text; false when it is not one.
bool BuildRequest(const std::string& text, BYTE (&request)[64]) {
  memset(request, 0, sizeof(request));
  std::vector<std::string> p = Split(text);
  auto number = [&](size_t i) { return BYTE(i < p.size() ? strtoul(p[i].c_str(), nullptr, 0) : 0); };
  if (p[0] == "create") {
    request[1] = 1;
  } else if (p[0] == "delete" || p[0] == "reset" || p[0] == "count") {
    request[0] = number(1);
    request[1] = p[0] == "delete" ? 2 : p[0] == "reset" ? 3 : 5;
  } else if (p[0] == "counts") {
    request[0] = number(1);
    request[1] = 6;
    request[2] = number(2);
  } else if (p[0] == "set" && p.size() >= 4) {
    request[0] = number(1);
    request[1] = 4;
    Put32(request + 2, strtoul(p[2].c_str(), nullptr, 0));
    WORD pid = WORD(strtoul(p[3].c_str(), nullptr, 0));
    request[6] = BYTE(pid);
    request[7] = BYTE(pid >> 8);
    int length = p.size() > 4 ? Hex(p[4], request + 9, 12) : 0;
    if (p.size() > 5) Hex(p[5], request + 25, 12);
    if (p.size() > 6) length = int(strtoul(p[6].c_str(), nullptr, 0));
    request[8] = BYTE(length);
  } else if (p[0] == "raw" && p.size() >= 3) {
    request[1] = number(1);
    request[0] = number(2);
  } else {
    return false;
  }
  return true;
}

struct Exchange {
  HANDLE mutex, request, responseReady, requestTaken, responseTaken;
  BYTE* memory;
};

std::string Ask(Exchange& x, const BYTE (&request)[64], DWORD waitMs) {
  DWORD locked = WaitForSingleObject(x.mutex, kLockMs);
  if (locked != WAIT_OBJECT_0 && locked != WAIT_ABANDONED) return "error lock";
  std::string line;
  if (WaitForSingleObject(x.requestTaken, waitMs) != WAIT_OBJECT_0) {
    line = "no-response";
  } else {
    ResetEvent(x.requestTaken);
    ResetEvent(x.responseReady);
    memcpy(x.memory, request, 64);
    SetEvent(x.request);
    if (WaitForSingleObject(x.responseReady, waitMs) == WAIT_OBJECT_0) {
      const BYTE* r = x.memory + 64;
      char text[128];
      snprintf(text, sizeof(text), "%u %u %lu %lu %lu %u %u", r[0], r[1], (unsigned long)Get32(r + 2),
               (unsigned long)Get32(r + 6), (unsigned long)Get32(r + 10), unsigned(r[14] | r[15] << 8), r[16]);
      line = text;
      SetEvent(x.responseTaken);
    } else {
      // Nobody served it: take it back, so that a server started later
      // does not run a request its requester has given up.
      ResetEvent(x.request);
      if (x.memory[1] == request[1]) memset(x.memory, 0, 2);
      SetEvent(x.requestTaken);
      line = "no-response";
    }
  }
  ReleaseMutex(x.mutex);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 64;
  FILE* out = fopen(argv[1], "w");
  if (!out) return 65;
  DWORD waitMs = strtoul(argv[2], nullptr, 10);
  std::string mapping = std::string("FILE_") + kName, mutex = std::string("MUTEX_") + kName;
  Exchange x = {};
  x.mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, mutex.c_str());
  HANDLE map = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mapping.c_str());
  x.memory = map ? static_cast<BYTE*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, 1024)) : nullptr;
  const DWORD access = SYNCHRONIZE | EVENT_MODIFY_STATE;
  x.request = OpenEventA(access, FALSE, kRequestEvent);
  x.responseReady = OpenEventA(access, FALSE, kResponseReadyEvent);
  x.requestTaken = OpenEventA(access, FALSE, kRequestTakenEvent);
  x.responseTaken = OpenEventA(access, FALSE, kResponseTakenEvent);
  if (!x.mutex || !x.memory || !x.request || !x.responseReady || !x.requestTaken || !x.responseTaken) {
    fprintf(out, "error objects\n");
    fclose(out);
    return 2;
  }
  for (int i = 3; i < argc; ++i) {
    BYTE request[64];
    fprintf(out, "%s\n", BuildRequest(argv[i], request) ? Ask(x, request, waitMs).c_str() : "error request");
  }
  fclose(out);
  return 0;
}
