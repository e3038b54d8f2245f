// GetCpuID: the processor identification text, vendor and four 8-digit
// groups: leaf-1 EDX and EAX, then leaf-3 EDX and ECX. Leaf 3 is asked
// whether or not the processor reports it; the answer is what it gives.
#include <cpuid.h>

#include <cstdio>

#include "marlune/host/registered_functions.h"
#include "marlune/host/results.h"

namespace marlune {
namespace {

struct CpuidRegisters {
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
};

CpuidRegisters Cpuid(unsigned int leaf) {
  CpuidRegisters r;
  __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

}  // namespace

void GetCpuID(ParamBlk* /*parm*/) {
  CpuidRegisters leaf0 = Cpuid(0);
  char vendor[13] = {};
  for (int i = 0; i < 4; ++i) {
    vendor[i] = static_cast<char>(leaf0.ebx >> (8 * i));
    vendor[4 + i] = static_cast<char>(leaf0.edx >> (8 * i));
    vendor[8 + i] = static_cast<char>(leaf0.ecx >> (8 * i));
  }
  CpuidRegisters leaf1 = Cpuid(1);
  CpuidRegisters leaf3 = Cpuid(3);

  char text[100] = {};
  std::snprintf(text, sizeof text, "%s-%08X-%08X-%08X-%08X", vendor, leaf1.edx, leaf1.eax,
                leaf3.edx, leaf3.ecx);
  host::ReturnText(text);
}

}  // namespace marlune
