#include "tools/resourcegen/Artwork.h"

#include <cmath>

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kLens{200, 225, 255, 160};
constexpr int kCursorSize = 32;
constexpr double kOutline = 1.2;

Shape OpenHand() {
    return Union({RoundedBox(9, 14, 24, 27, 4), Capsule(11, 15, 11, 7, 1.8), Capsule(15, 14, 15, 4.5, 1.8),
                  Capsule(19, 14, 19, 5.5, 1.8), Capsule(22.5, 16, 22.5, 9, 1.7), Capsule(10, 21, 5.5, 15, 1.8)});
}

void DrawMagnifier(Canvas& canvas, bool plus, bool minus) {
    canvas.FillOutlined(Capsule(18.5, 18.5, 27, 27, 2.6), kBlack, kWhite, kOutline);
    canvas.FillOutlined(Ring(12, 12, 8, 1.6), kBlack, kWhite, kOutline);
    canvas.Fill(Circle(12, 12, 6.4), kLens);
    if (plus || minus) canvas.Fill(Capsule(8, 12, 16, 12, 1.2), kBlack);
    if (plus) canvas.Fill(Capsule(12, 8, 12, 16, 1.2), kBlack);
}

Shape CrossHair() {
    return Union({Capsule(16, 2, 16, 12, 1), Capsule(16, 20, 16, 30, 1), Capsule(2, 16, 12, 16, 1),
                  Capsule(20, 16, 30, 16, 1), Circle(16, 16, 1.3)});
}

// The tool's arrows at the four ends of the cross: the target can be moved.
Shape MoveArrows() {
    return Union({Polygon({{16, 0.5}, {12, 5}, {20, 5}}), Polygon({{16, 31.5}, {12, 27}, {20, 27}}),
                  Polygon({{0.5, 16}, {5, 12}, {5, 20}}), Polygon({{31.5, 16}, {27, 12}, {27, 20}})});
}

// A pipette lying from its tip at the bottom left to its bulb at the top
// right.
Shape Pipette() {
    return Union({Capsule(3.5, 28.5, 12, 20, 1.4), Capsule(10, 22, 19, 13, 3.2), Capsule(15.5, 10.5, 21.5, 16.5, 1.8),
                  Circle(23.5, 8.5, 5)});
}

Canvas ToolCursor(int id) {
    Canvas canvas(kCursorSize);
    canvas.FillOutlined(CrossHair(), kBlack, kWhite, kOutline);
    if (id == 10009) canvas.FillOutlined(MoveArrows(), kBlack, kWhite, kOutline);
    if (id == 10007) {
        canvas.FillOutlined(RoundedBox(21, 21, 29, 29, 1), kWhite, kBlack, kOutline);
        canvas.Fill(Capsule(23, 27, 27, 23, 0.9), kBlack);
    }
    return canvas;
}

void DrawDappleIcon(Canvas& canvas) {
    canvas.FillOutlined(RoundedBox(2, 2, 30, 30, 6), Rgba{250, 236, 200, 255}, Rgba{90, 60, 30, 255}, 1.2);
    struct Spot {
        double x, y, r;
        Rgba colour;
    };
    const Spot spots[] = {{10, 10, 5, {214, 84, 48, 255}},
                          {21, 9, 4, {238, 170, 40, 255}},
                          {22, 20, 6, {70, 140, 70, 255}},
                          {10, 22, 4.5, {60, 110, 190, 255}},
                          {16, 16, 2.5, {150, 70, 150, 255}}};
    for (const Spot& spot : spots) canvas.Fill(Circle(spot.x, spot.y, spot.r), spot.colour);
}

}  // namespace

CursorArt DrawCursor(int id) {
    switch (id) {
        case 10003: {
            Canvas canvas(kCursorSize);
            canvas.FillOutlined(OpenHand(), kWhite, kBlack, kOutline);
            return {id, canvas, {16, 16}};
        }
        case 10004:
        case 10005: {
            Canvas canvas(kCursorSize);
            DrawMagnifier(canvas, id == 10004, true);
            return {id, canvas, {12, 12}};
        }
        case 10008: {
            Canvas canvas(kCursorSize);
            canvas.FillOutlined(Pipette(), kWhite, kBlack, kOutline);
            return {id, canvas, {3, 28}};
        }
        default: return {id, ToolCursor(id), {16, 16}};
    }
}

Canvas DrawIcon(int id, int size) {
    Canvas canvas(size);
    switch (id) {
        case 700: canvas.FillOutlined(OpenHand(), kWhite, kBlack, 1.6); break;
        case 701: DrawMagnifier(canvas, false, false); break;
        case 702: canvas.FillOutlined(Union({CrossHair(), Ring(16, 16, 8, 1.2)}), kBlack, kWhite, 1.2); break;
        case 703: canvas.FillOutlined(Pipette(), Rgba{235, 240, 250, 255}, kBlack, 2.2); break;
        default: DrawDappleIcon(canvas); break;
    }
    return canvas;
}
