#include "content/ContentKind.h"

namespace {

constexpr ContentKind kContentKinds[] = {
    {FilterKinds::BorderStamp, "*.tub", "tub", 4151, 4165, 4166, 4183, 4184},
    {FilterKinds::FillStamp, "*.tub", "tub", 4501, 4165, 4517, 4542, 4543},
    {FilterKinds::Frame, "*.rfr", "rfr", 4301, 4307, 4308, 4326, 4327},
    {FilterKinds::Patchwork, "*.ptl", "ptl", 4701, 4706, 4707, 4718, 4719},
    {FilterKinds::Resurface, "*.jpg", "jpg", 4901, 4909, 4910, 4928, 4929},
};

}  // namespace

const ContentKind* FindContentKind(FilterKind kind) {
    for (const ContentKind& content : kContentKinds) {
        if (content.kind == kind) return &content;
    }
    return nullptr;
}
