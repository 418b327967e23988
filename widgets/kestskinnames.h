// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Every picture the windows load from "skin/" below the application folder, with the
// size the windows lay it out at on the design canvas. The skin generator draws exactly
// this list and a test checks that a build leaves all of it in the application folder.
//
// density: pixels per design pixel in the file. Most pictures are drawn at 2 so they stay
// sharp when a window scales its canvas up to 2.0; consumers draw them into
// design size × scale factor. Pictures used at their natural size (the main background,
// whose first cache slot is used as loaded and whose alpha is the window outline, and the
// check box indicators of style sheets) are drawn at 1.

struct SkinPicture
{
    const char *name; // relative to "skin/"
    int width;        // design size
    int height;
    int density;
};

inline constexpr SkinPicture kSkinPictures[] = {
    // Main window.
    {"cfgMainback.png", 999, 640, 1},
    {"cfgMainback@2x.png", 999, 640, 2}, // the same, for scale factors above 1
    {"close-1.png", 19, 19, 2},
    {"close-2.png", 19, 19, 2},
    {"close-3.png", 19, 19, 2},
    {"min-1.png", 19, 19, 2},
    {"min-2.png", 19, 19, 2},
    {"min-3.png", 19, 19, 2},
    {"profile_import1.png", 24, 24, 2},
    {"profile_import2.png", 24, 24, 2},
    {"profile_export1.png", 24, 24, 2},
    {"profile_export2.png", 24, 24, 2},
    {"profile_reset1.png", 24, 24, 2},
    {"profile_reset2.png", 24, 24, 2},
    {"profile_add1.png", 24, 24, 2},
    {"profile_add2.png", 24, 24, 2},
    {"profile_del1.png", 24, 24, 2},
    {"profile_del2.png", 24, 24, 2},
    {"profile_copy1.png", 24, 24, 2},
    {"profile_copy2.png", 24, 24, 2},
    {"profile_apply1.png", 24, 24, 2},
    {"profile_edit_name_1.png", 160, 26, 2},
    {"profile_edit_name_2.png", 160, 26, 2},
    {"profilesel.png", 20, 20, 2},
    {"tabbutton-1.png", 110, 26, 2}, // normal
    {"tabbutton-2.png", 110, 26, 2}, // pressed / current
    {"tabbutton-3.png", 110, 26, 2}, // hover
    {"lang.png", 100, 20, 2},
    {"btn_up1.png", 22, 22, 2},
    {"btn_up2.png", 22, 22, 2},
    {"btn_up3.png", 22, 22, 2},
    {"btn_up4.png", 22, 22, 2},
    {"btn_down1.png", 22, 22, 2},
    {"btn_down2.png", 22, 22, 2},
    {"btn_down3.png", 22, 22, 2},
    {"btn_down4.png", 22, 22, 2},
    {"marker.png", 20, 20, 2}, // button markers over the mouse picture (round fill)
    {"mouselogo.png", 160, 40, 2},
    {"icon.ico", 128, 128, 1},
    // Status display.
    {"bat1.png", 86, 47, 2}, // frame; the bar fits in (10, 15) 62 × 17 of it
    {"bat2.png", 86, 47, 2}, // frame with a plug: cable or charging, no bar
    {"dongle.png", 24, 24, 2},
    {"lightning.png", 16, 24, 2},
    // Message box, key dialogs, progress.
    {"dlg.png", 400, 258, 2},
    {"warn.png", 45, 45, 2},
    {"dongle2.png", 45, 45, 2},
    {"process.png", 128, 128, 2},
    // Panels.
    {"checkbox1-1.png", 18, 18, 1},
    {"checkbox1-2.png", 18, 18, 1},
    {"checkbox2-1.png", 18, 18, 1},
    {"checkbox2-2.png", 18, 18, 1},
    {"rate.png", 120, 28, 2},
    // Macro page and gun set.
    {"keydown.png", 20, 20, 2},
    {"keyup.png", 20, 20, 2},
    {"mouse_move.png", 20, 20, 2},
    {"dlg_gun.png", 560, 340, 2},
    {"gunset_slider.png", 300, 39, 2}, // drawn at (150, 141): shot i sits at 13 + 66 i
    {"gunset_bullet.png", 9, 39, 2},
};

// The model drawn by the generator: the sample product of data/DefaultProfile.bin, whose
// seven buttons are left, right, middle, forward, back, DPI switch and lighting switch. Front view: "mouse/<product>/Mouse.png"; side view
// "mouse/<product>_Side.png"; one "mouse/<product>/mouse_<n>.png" per button n (1-based
// marker number) with that button lit. All 300 × 400 on the canvas, density 2.
inline constexpr const char *kSkinProduct = "KX-27";
inline constexpr int kMouseButtonPictures = 7;
inline constexpr int kMousePictureWidth = 300;
inline constexpr int kMousePictureHeight = 400;
inline constexpr int kMousePictureDensity = 2;

// Where each button sits on the front picture (design pixels of the 300 × 400 picture),
// so the main window can put its markers over them. Index = marker number - 1.
struct MouseButtonAnchor
{
    int x;
    int y;
};
inline constexpr MouseButtonAnchor kMouseButtonAnchors[kMouseButtonPictures] = {
    {105, 95},  // 1 left
    {195, 95},  // 2 right
    {150, 90},  // 3 middle (wheel)
    {86, 178},  // 4 forward (front side button)
    {80, 226},  // 5 back (rear side button)
    {150, 149}, // 6 DPI switch, behind the wheel
    {150, 206}, // 7 lighting switch, on the palm
};

// The same for the side picture (the left side, front up). The right button cannot be seen
// from the left: its anchor is {-1, -1} and it gets no marker in that view.
inline constexpr MouseButtonAnchor kSideButtonAnchors[kMouseButtonPictures] = {
    {180, 106}, // 1 left: the front of the shell, ahead of the button seam, clear of 6
    {-1, -1},   // 2 right
    {149, 84},  // 3 middle (wheel)
    {150, 168}, // 4 forward
    {138, 238}, // 5 back
    {152, 130}, // 6 DPI switch, just below the top line behind the wheel
    {128, 206}, // 7 lighting switch, on the palm
};

inline QStringList mousePictureNames(const QString &product)
{
    QStringList names{QStringLiteral("mouse/%1/Mouse.png").arg(product),
                      QStringLiteral("mouse/%1_Side.png").arg(product)};
    for (int n = 1; n <= kMouseButtonPictures; ++n)
        names << QStringLiteral("mouse/%1/mouse_%2.png").arg(product).arg(n);
    return names;
}

inline QStringList allSkinPictureNames()
{
    QStringList names;
    for (const SkinPicture &picture : kSkinPictures)
        names << QString::fromLatin1(picture.name);
    return names + mousePictureNames(QString::fromLatin1(kSkinProduct));
}
