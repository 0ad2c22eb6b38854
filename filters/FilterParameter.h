// One adjustable value of an effect (or a small group of values), bound to
// its place inside the effect's parameter record: the scripting keys under
// which hosts record it, the texts the dialog shows beside it, and the rules
// that keep it legal. Effects create them in BuildParameters; a ParameterSet
// owns them and never outlives the record they point into.
#pragma once

#include <cstdint>
#include <string>

#include "base/ResultCode.h"
#include "filters/KeyShape.h"

class IControl;
struct ScriptWriter;
struct ScriptReader;

class FilterParameter {
public:
    FilterParameter() = default;
    FilterParameter(const FilterParameter&) = delete;
    FilterParameter& operator=(const FilterParameter&) = delete;
    virtual ~FilterParameter();

    // Forces the bound value into its legal range or set.
    virtual void Validate() = 0;
    // True when `key` is non-zero and one of this parameter's keys.
    virtual bool HasKey(uint32_t key) const;
    // Writes every key into the open write descriptor; -1 when the host
    // refuses a write.
    virtual ResultCode WriteToScript(const ScriptWriter& writer) const = 0;
    // Reads the value stored under `key` from the open read descriptor into
    // the bound value; -1 when the host refuses the read or the value is not
    // one this parameter can hold.
    virtual ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) = 0;
    virtual int32_t KeyCount() const { return 1; }
    // The key at `index`, 0 for an index out of range.
    virtual uint32_t KeyAt(int32_t index) const = 0;
    // What the value under the key at `index` is; None unless the class
    // says otherwise.
    virtual KeyShape DescribeKey(int32_t index) const;

    int32_t dialogData[3] = {0, 0, 0};  // the dialog's own bookkeeping
    std::string label;                  // shown beside the control
    // The name people type and read outside the dialog (the command line,
    // the dialog's copy of it, procedure parameters): lower-case words
    // joined by hyphens. Empty: made from the label.
    std::string name;
    std::string hint;             // one line of help: the control's help text in the status bar
    std::string secondaryText;    // a second caption, such as a length's unit; empty unless set
    int32_t group = 0;            // the dialog page (column) the control goes on
    IControl* control = nullptr;  // bound by the dialog; not owned
    // Whether the control applies to the current values; UpdateControlStates
    // sets it and the dialog passes it on to `control`.
    bool enabled = true;
};

// A parameter with one scripting key.
class SingleKeyParameter : public FilterParameter {
public:
    explicit SingleKeyParameter(uint32_t k) : key(k) {}
    uint32_t KeyAt(int32_t index) const override { return index == 0 ? key : 0; }

    uint32_t key;
};

// Range check shared by the parameters: the lower bound first, then the
// upper; a value on a bound stays. A value that is not a number takes the
// lower bound, so that nothing downstream ever sees one.
inline double ClampToRange(double value, double minimum, double maximum) {
    if (!(value >= minimum)) value = minimum;
    if (value > maximum) value = maximum;
    return value;
}
