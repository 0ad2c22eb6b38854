// Parameter kinds that the dialog and the settings archiver tell apart by
// type but that no effect of the family creates. Each binds one key and its
// value; the settings archiver gives them their text forms. They have no
// script form: writing records nothing and reading leaves the value alone.
#pragma once

#include <cstddef>

#include "filters/FilterParameter.h"

class UnscriptedParameter : public SingleKeyParameter {
public:
    using SingleKeyParameter::SingleKeyParameter;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
};

// One of four bevel types; the dialog labels the choices with four strings.
class BevelTypeParameter : public UnscriptedParameter {
public:
    BevelTypeParameter(uint32_t key, int32_t* value, const int (&choiceTextIds)[4])
        : UnscriptedParameter(key),
          value(value),
          choiceTextIds{choiceTextIds[0], choiceTextIds[1], choiceTextIds[2], choiceTextIds[3]} {}
    void Validate() override {}

    int32_t* value;
    int choiceTextIds[4];
};

// A bevel profile curve in its 608-byte record form.
class ComplexCurveParameter : public UnscriptedParameter {
public:
    static constexpr std::size_t kRecordSize = 608;
    ComplexCurveParameter(uint32_t key, unsigned char* curve) : UnscriptedParameter(key), curve(curve) {}
    void Validate() override {}

    unsigned char* curve;
};

// A colour gradient in its 1008-byte record form.
class ColorGradientParameter : public UnscriptedParameter {
public:
    static constexpr std::size_t kRecordSize = 1008;
    ColorGradientParameter(uint32_t key, unsigned char* gradient) : UnscriptedParameter(key), gradient(gradient) {}
    void Validate() override {}

    unsigned char* gradient;
};

// The file name of a reflection map, zero-terminated within `capacity`.
class ReflectionMapParameter : public UnscriptedParameter {
public:
    ReflectionMapParameter(uint32_t key, char* fileName, std::size_t capacity)
        : UnscriptedParameter(key), fileName(fileName), capacity(capacity) {}
    // Puts a terminator at the end of a name that lacks one.
    void Validate() override;

    char* fileName;
    std::size_t capacity;
};
