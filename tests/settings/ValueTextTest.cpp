// The one-line text forms of gradients and bevel profiles, both ways. The
// reference is the C library itself: texts written with snprintf and read
// with sscanf under the formats the files have always used, compared with
// what the values write and read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "settings/BevelProfileValue.h"
#include "settings/GradientValue.h"

namespace {

GradientValue EmptyGradient() {
    GradientValue value;
    value.Clear();
    return value;
}

BevelProfileValue EmptyProfile() {
    BevelProfileValue value;
    value.Clear();
    return value;
}

std::string Printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printed(const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

GradientValue RandomGradient(std::mt19937& random, int count) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> component(-32768, 32767);
    std::uniform_int_distribution<int> mode(0, 7);
    GradientValue value = EmptyGradient();
    value.count = count;
    for (int i = 0; i < count; ++i) {
        GradientValueStop& stop = value.stops[i];
        stop.location = unit(random);
        stop.mode = mode(random) == 7 ? 666 : mode(random);
        stop.channels = 1 + mode(random) % 4;
        stop.alpha = static_cast<unsigned char>(random() % 2);
        for (int16_t& c : stop.components) c = static_cast<int16_t>(component(random));
        stop.stopValue = unit(random) * 200.0 - 100.0;
    }
    return value;
}

std::string ReferenceText(const GradientValue& value) {
    std::string text = Printed("Gradient: %d", value.count);
    for (int i = 0; i < value.count; ++i) {
        const GradientValueStop& s = value.stops[i];
        text +=
            Printed("/%.3f %d %d %d %hd %hd %hd %hd %hd %.3f", s.location, s.mode, s.channels, s.alpha != 0 ? 1 : 0,
                    s.components[0], s.components[1], s.components[2], s.components[3], s.components[4], s.stopValue);
    }
    return text;
}

// The stops as sscanf reads the groups that strtok cuts.
GradientValue ReferenceRead(const std::string& text) {
    GradientValue value = EmptyGradient();
    if (text.size() <= 10) return value;
    std::string rest = text.substr(10);
    char* field = std::strtok(rest.data(), "/");
    if (field == nullptr) return value;
    const int count = std::atoi(field);
    if (count <= 0) return value;
    value.count = std::min(count, 25);
    for (int i = 0; i < value.count; ++i) {
        field = std::strtok(nullptr, "/");
        if (field == nullptr) break;
        GradientValueStop& s = value.stops[i];
        int alpha = 0;
        const int read = std::sscanf(field, "%lf %d %d %d %hd %hd %hd %hd %hd %lf", &s.location, &s.mode, &s.channels,
                                     &alpha, &s.components[0], &s.components[1], &s.components[2], &s.components[3],
                                     &s.components[4], &s.stopValue);
        if (read >= 4) s.alpha = alpha != 0 ? 1 : 0;
    }
    return value;
}

void ExpectSameGradient(const GradientValue& actual, const GradientValue& expected, const std::string& context) {
    ASSERT_EQ(actual.count, expected.count) << context;
    EXPECT_TRUE(actual == expected) << context;
}

}  // namespace

TEST(GradientText, EmptyGradientIsThePrefixAndZeroAndReadsBackEmpty) {
    EXPECT_EQ(EmptyGradient().ToText(), "Gradient: 0");
    std::mt19937 random(1);
    GradientValue read = RandomGradient(random, 3);
    read.FromText("Gradient: 0");
    ExpectSameGradient(read, EmptyGradient(), "zero stops");
}

TEST(GradientText, StopWithAlphaWritesFourComponentsAndAFifthZero) {
    GradientValue value = EmptyGradient();
    value.count = 1;
    value.stops[0] = GradientValueStop{0.25, 0, 3, 1, {10, 20, 30, 200, 0}, 0.5};
    EXPECT_EQ(value.ToText(), "Gradient: 1/0.250 0 3 1 10 20 30 200 0 0.500");
    // Any non-zero byte in the record is an alpha flag, written as 1.
    value.stops[0].alpha = 7;
    EXPECT_EQ(value.ToText(), "Gradient: 1/0.250 0 3 1 10 20 30 200 0 0.500");
}

TEST(GradientText, WritesAsPrintfAndReadsAsScanf) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        const GradientValue value = RandomGradient(random, static_cast<int>(random() % 26));
        const std::string text = value.ToText();
        ASSERT_EQ(text, ReferenceText(value));
        GradientValue read;
        read.FromText(text);
        ExpectSameGradient(read, ReferenceRead(text), text);
    }
}

TEST(GradientText, DamagedTextsReadAsScanfReadsThem) {
    const char* texts[] = {
        "Gradient: 2/0.5 0 3 0 1 2 3 0 0 0.0",                          // fewer groups than the count
        "Gradient: 1/0.5 0 3 x 1 2 3 0 0 0.0",                          // a field that is not a number
        "Gradient: 2//0.1 0 3 0 1 2 3 0 0 0.0///0.9 1 3 1 4",           // runs of slashes, a short stop
        "Gradient: -3/0.5 0 3 0 1 2 3 0 0 0.0",                         // a negative count
        "Gradient: 1/0.5 0 3 0 1 2 3 0 0 0.0/0.7 0 3 0 9 9 9 0 0 0.0",  // more groups than the count
        "Gradient: x/0.5",                                              // no count
        "Gradient:",                                                    // shorter than the prefix
        "Gradient: ",                                                   // the prefix alone
        "XXXXXXXXXX1/0.5 0 3 0 1 2 3 0 0 0.0",                          // the prefix is skipped, not compared
        "Gradient:  1 / 0.5 0 3 0 1 2 3 0 0 0.0",
        "Gradient: 1/0.5 0 3 0 1 2 3 0 0 1e400",
    };
    std::mt19937 random(2);
    for (const char* text : texts) {
        GradientValue read = RandomGradient(random, 5);
        read.FromText(text);
        ExpectSameGradient(read, ReferenceRead(text), text);
    }
}

TEST(GradientText, CountAboveTwentyFiveReadsTwentyFiveStops) {
    std::mt19937 random(7);
    GradientValue many = RandomGradient(random, 25);
    std::string text = many.ToText();
    text.replace(0, 12, "Gradient: 30");
    text += "/0.999 0 3 0 1 1 1 0 0 0.000";
    GradientValue read;
    read.FromText(text);
    EXPECT_EQ(read.count, 25);
    EXPECT_EQ(read.ToText(), many.ToText());
    // A damaged record's count writes as the nearest legal one.
    many.count = 99;
    EXPECT_EQ(many.ToText().rfind("Gradient: 25/", 0), 0u);
    many.count = -4;
    EXPECT_EQ(many.ToText(), "Gradient: 0");
}

TEST(BevelText, WritesAsPrintfAndReadsAsScanf) {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> unit(-0.5, 1.5);
    for (int round = 0; round < 200; ++round) {
        BevelProfileValue value = EmptyProfile();
        value.count = static_cast<int32_t>(random() % 26);
        std::string expected = Printed("Bevel: %d", value.count);
        for (int i = 0; i < value.count; ++i) {
            value.points[i] = BevelProfilePoint{unit(random), unit(random), static_cast<unsigned char>(random() % 3)};
            expected += Printed("/%.3f %.3f %d", value.points[i].x, value.points[i].y, value.points[i].pointy ? 1 : 0);
        }
        ASSERT_EQ(value.ToText(), expected);

        BevelProfileValue read;
        read.FromText(expected);
        ASSERT_EQ(read.count, value.count);
        for (int i = 0; i < value.count; ++i) {
            double x = 0, y = 0;
            int pointy = 0;
            const std::string group =
                Printed("%.3f %.3f %d", value.points[i].x, value.points[i].y, value.points[i].pointy ? 1 : 0);
            ASSERT_EQ(std::sscanf(group.c_str(), "%lf %lf %d", &x, &y, &pointy), 3);
            EXPECT_EQ(read.points[i].x, x);
            EXPECT_EQ(read.points[i].y, y);
            EXPECT_EQ(read.points[i].pointy, pointy);
        }
    }
}

TEST(BevelText, EmptyShortAndDamagedTexts) {
    EXPECT_EQ(EmptyProfile().ToText(), "Bevel: 0");
    BevelProfileValue read;
    read.FromText("Bevel: 3/0.1 0.2 1/0.5 x 1");
    EXPECT_EQ(read.count, 3);
    EXPECT_EQ(read.points[0].x, 0.1);
    EXPECT_EQ(read.points[0].y, 0.2);
    EXPECT_EQ(read.points[0].pointy, 1);
    EXPECT_EQ(read.points[1].x, 0.5);  // read up to the field that fails
    EXPECT_EQ(read.points[1].y, 0.0);
    EXPECT_EQ(read.points[2].x, 0.0);  // promised, never given
    read.FromText("Bevel:");
    EXPECT_EQ(read.count, 0);
}
