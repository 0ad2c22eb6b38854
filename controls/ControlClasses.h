// The window classes of the toolkit's controls, registered before the first
// dialog is made and unregistered after the dialog is gone. Each class keeps
// its atom; 0 means not registered, and every Create of that control fails.
#pragma once

#include "base/ResultCode.h"
#include "platform/WinApi.h"

enum class ControlClass {
    Button,
    Preview,
    Thumbnail,
    Toolbox,
    SliderContainer,
    Slider,
    Colour,
    ColourGradient,
    DropdownList,
    Lighting,
    RandomSeed,
    Direction,
    Checkbox,
    Tab,
    TabPage,
    LengthSlider,
    ImageButton,
    BevelEdit,
    FillBehaviour,
    BevelType,
    TubeButton,
};
inline constexpr int kControlClassCount = 21;

// Registers every class not registered yet, and the content chooser's
// preview pane class. -1 when any registration failed (those classes keep
// atom 0; the others are registered).
ResultCode RegisterControlClasses();
// Unregisters every registered class and clears its atom.
void UnregisterControlClasses();

ATOM ControlClassAtom(ControlClass control);
// The class name, as other windows and templates refer to it.
const wchar_t* ControlClassName(ControlClass control);
