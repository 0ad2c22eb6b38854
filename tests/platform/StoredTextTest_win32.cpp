// A path a program stored in the system's code page reads as the same
// characters, not as replacement characters.
#include <gtest/gtest.h>

#include <string>

#include "platform/StoredText.h"
#include "platform/WinApi.h"

TEST(StoredText, TextThatIsNotUtf8IsReadInTheSystemCodePage) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "the system code page is UTF-8";
    // "Café\Stars.tub" as the system's code page writes it.
    const wchar_t wide[] = L"Caf\u00e9\\Stars.tub";
    char narrow[64] = {};
    BOOL lossy = FALSE;
    ASSERT_GT(WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, &lossy), 0);
    if (lossy) GTEST_SKIP() << "the system code page has no e acute";
    ASSERT_FALSE(IsValidUtf8(narrow));
    EXPECT_EQ(Utf8FromStoredText(narrow), "Caf\xC3\xA9\\Stars.tub");
}
