#include "app/close_event_security_win32.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include <string>

namespace corvan {
namespace {

TEST(CloseEvent, CarriesEveryoneAndAdministratorsWithAllEventRights) {
  const std::wstring name = L"corvan_test_close_" + std::to_wstring(GetCurrentProcessId());
  HANDLE event = CreateCloseEventWithAccessList(name.c_str());
  ASSERT_NE(event, nullptr);

  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetSecurityInfo(event, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                            &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(dacl, nullptr);
  ASSERT_EQ(dacl->AceCount, 2);

  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID everyone = nullptr, administrators = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                           &administrators);
  PSID expected[2] = {everyone, administrators};
  for (DWORD i = 0; i < 2; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Mask, 0xF003Fu);
    EXPECT_TRUE(EqualSid(reinterpret_cast<PSID>(&ace->SidStart), expected[i])) << "entry " << i;
  }
  FreeSid(everyone);
  FreeSid(administrators);
  LocalFree(descriptor);

  // Another copy opens it with the right to change its state only, and may pulse it.
  HANDLE other = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str());
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(PulseEvent(other));
  CloseHandle(other);
  CloseHandle(event);
}

}  // namespace
}  // namespace corvan
