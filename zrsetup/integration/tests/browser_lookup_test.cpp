// The browser lookup against HKCR of the test's own prefix: the class id of
// InternetExplorer.Application, then that class's local server, taken verbatim.
#include <gtest/gtest.h>

#include <string>

#include "shortcut_set.h"
#include "windows_state.h"

namespace {

constexpr const char* kClassKey = "InternetExplorer.Application\\CLSID";
constexpr const char* kTestClassId = "{5A5A5A5A-0000-4000-8000-00000000ZR01}";
const std::string kServerKey = std::string("CLSID\\") + kTestClassId + "\\LocalServer32";

std::string Text(const std::string& text) { return text + '\0'; }

std::string LookUp() {
  CountedString browserPath;
  browserPath.Assign("left over from before");
  FindBrowserExecutable(browserPath);
  return browserPath.CStr();
}

// Runs first, before any test changes the prefix's own registration.
TEST(BrowserLookupTest, FindsTheLocalServerOfAFreshPrefix) {
  const harness::RegistryValue classId =
      harness::ReadRegistryValue(HKEY_CLASSES_ROOT, kClassKey, nullptr);
  ASSERT_TRUE(classId.found);
  const std::string serverKey = "CLSID\\" + std::string(classId.data.c_str()) + "\\LocalServer32";
  const harness::RegistryValue server =
      harness::ReadRegistryValue(HKEY_CLASSES_ROOT, serverKey.c_str(), nullptr);
  ASSERT_TRUE(server.found);
  EXPECT_EQ(LookUp(), server.data.c_str());
  EXPECT_FALSE(LookUp().empty());
}

struct LookupCase {
  const char* name;
  bool classKeyPresent;
  DWORD classIdType;
  std::string classIdData;  // raw bytes
  bool serverKeyPresent;
  DWORD serverType;
  std::string serverData;  // raw bytes
  std::string expected;
};

const std::string kIe = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
const std::string kLongestPath = "C:\\" + std::string(996, 'b');  // 999 characters
const std::string kTooLongPath = "C:\\" + std::string(997, 'b');  // 1000 characters

const LookupCase kLookupCases[] = {
    {"plain path", true, REG_SZ, Text(kTestClassId), true, REG_SZ, Text(kIe), kIe},
    {"quotes and an option passed through", true, REG_SZ, Text(kTestClassId), true, REG_SZ,
     Text("\"" + kIe + "\" -nohome"), "\"" + kIe + "\" -nohome"},
    {"expandable server value taken unexpanded", true, REG_SZ, Text(kTestClassId), true,
     REG_EXPAND_SZ, Text("%ProgramFiles%\\Internet Explorer\\iexplore.exe"),
     "%ProgramFiles%\\Internet Explorer\\iexplore.exe"},
    {"expandable class id leaves no browser", true, REG_EXPAND_SZ, Text(kTestClassId), true, REG_SZ,
     Text(kIe), ""},
    {"1,000 bytes fit", true, REG_SZ, Text(kTestClassId), true, REG_SZ, Text(kLongestPath),
     kLongestPath},
    {"1,001 bytes leave no browser", true, REG_SZ, Text(kTestClassId), true, REG_SZ,
     Text(kTooLongPath), ""},
    // Stands in for a REG_SZ stored without its NUL, which Wine does not keep.
    {"server value without NUL keeps nothing of the class id", true, REG_SZ, Text(kTestClassId),
     true, REG_BINARY, "C:\\ie.exe", "C:\\ie.exe"},
    {"no class key", false, REG_SZ, "", true, REG_SZ, Text(kIe), ""},
    {"no local server key", true, REG_SZ, Text(kTestClassId), false, REG_SZ, "", ""},
};

TEST(BrowserLookupTest, TakesTheLocalServerValueVerbatim) {
  for (const LookupCase& c : kLookupCases) {
    SCOPED_TRACE(c.name);
    harness::DeleteRegistryTree(HKEY_CLASSES_ROOT, kClassKey);
    harness::DeleteRegistryTree(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kTestClassId).c_str());
    if (c.classKeyPresent) {
      ASSERT_TRUE(harness::WriteRegistryValue(HKEY_CLASSES_ROOT, kClassKey, nullptr, c.classIdType,
                                              c.classIdData));
    }
    if (c.serverKeyPresent) {
      ASSERT_TRUE(harness::WriteRegistryValue(HKEY_CLASSES_ROOT, kServerKey.c_str(), nullptr,
                                              c.serverType, c.serverData));
    }
    EXPECT_EQ(LookUp(), c.expected);
  }
}

}  // namespace
