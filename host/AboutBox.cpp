#include "host/AboutBox.h"

#include <utility>

#include "platform/ProductVersion.h"

namespace {

AboutBoxPresenter& Presenter() {
    static AboutBoxPresenter presenter;
    return presenter;
}

}  // namespace

AboutBoxPresenter SetAboutBoxPresenter(AboutBoxPresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}

void ShowAboutBox(void* parentWindow) {
    const AboutBoxPresenter& presenter = Presenter();
    if (presenter) presenter(parentWindow, ProductVersion());
}
