#include "app/close_event_security_win32.h"

#include <aclapi.h>

#include <cstdio>

namespace corvan {
namespace {

constexpr DWORD kAllEventRights = 0xF003F;

void Report(const char* call, DWORD error) { std::printf("%s Error %u\n", call, static_cast<unsigned>(error)); }

EXPLICIT_ACCESS_W AccessFor(PSID sid, TRUSTEE_TYPE type) {
  EXPLICIT_ACCESS_W access{};
  access.grfAccessPermissions = kAllEventRights;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = NO_INHERITANCE;
  access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  access.Trustee.TrusteeType = type;
  access.Trustee.ptstrName = static_cast<LPWSTR>(sid);
  return access;
}

}  // namespace

HANDLE CreateCloseEventWithAccessList(const wchar_t* name) {
  PSID everyone = nullptr;
  PSID administrators = nullptr;
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;

  SID_IDENTIFIER_AUTHORITY worldAuthority = SECURITY_WORLD_SID_AUTHORITY;
  if (!AllocateAndInitializeSid(&worldAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    everyone = nullptr;
    Report("AllocateAndInitializeSid", GetLastError());
  }
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                0, &administrators)) {
    administrators = nullptr;
    Report("AllocateAndInitializeSid", GetLastError());
  }

  EXPLICIT_ACCESS_W entries[2] = {AccessFor(everyone, TRUSTEE_IS_WELL_KNOWN_GROUP),
                                  AccessFor(administrators, TRUSTEE_IS_GROUP)};
  // SetEntriesInAcl returns its error instead of setting the thread's last error.
  if (const DWORD error = SetEntriesInAclW(2, entries, nullptr, &acl); error != ERROR_SUCCESS) {
    acl = nullptr;
    Report("SetEntriesInAcl", error);
  }

  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof(attributes);
  attributes.bInheritHandle = FALSE;
  descriptor = LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
  if (!descriptor) {
    Report("LocalAlloc", GetLastError());
  } else {
    if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION)) {
      Report("InitializeSecurityDescriptor", GetLastError());
    }
    if (!SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE)) Report("SetSecurityDescriptorDacl", GetLastError());
    attributes.lpSecurityDescriptor = descriptor;
  }

  // Without the descriptor's memory the event gets default security rather than a descriptor
  // that was never initialised.
  HANDLE event = CreateEventW(descriptor ? &attributes : nullptr, TRUE, TRUE, name);

  if (everyone) FreeSid(everyone);
  if (administrators) FreeSid(administrators);
  if (acl) LocalFree(acl);
  if (descriptor) LocalFree(descriptor);
  return event;
}

}  // namespace corvan
