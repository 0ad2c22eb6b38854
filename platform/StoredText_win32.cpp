#include "platform/StoredText.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

std::string Utf8FromStoredText(std::string_view text) {
    if (text.empty() || IsValidUtf8(text)) return std::string(text);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::string(text);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return Utf8FromWide(wide);
}
