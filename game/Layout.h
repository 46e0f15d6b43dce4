#pragma once

#include "canvas/Color.h"
#include "canvas/Palette.h"
#include "canvas/PixelBuffer.h"
#include "canvas/Pixels.h"
#include "game/Action.h"
#include "game/ViewMode.h"

#include <array>
#include <string_view>

// What the player points with: a mouse, or a finger on a touch screen, which wants larger
// captions and targets.
enum class Pointer { Fine, Coarse };

// The least a control must measure to be read and pressed, in logical pixels.
struct Floor {
    int labelFontPixels;
    int buttonFontPixels;
    int targetSide; // a finger's target, each way; 0 for a mouse
};
inline constexpr Floor MouseFloor{16, 12, 0};
inline constexpr Floor TouchFloor{16, 14, 44};

// The client area the pictures are designed for, in logical pixels.
inline constexpr PixelSize DesignSize{1024, 720};
// The smallest client area a window allows: fitted, a zoom of 0.3125, where the smallest
// caption is still about four pixels tall.
inline constexpr PixelSize MinimumSize{320, 225};

// What the window says while it waits for the first click: in the title bar, or, fullscreen,
// as the continue hint. A touch screen's hint says the same for a finger.
inline constexpr std::string_view ContinueText = "Click to continue";
inline constexpr std::string_view TapText = "Tap to continue";
// The game's name, as window titles show it.
inline constexpr std::string_view GameName = "BRUMOX SIMULATOR";

// How the window looks around the picture, whatever draws it.
inline constexpr Color BarColour = rgb(16, 16, 16); // around a fitted picture
inline constexpr Color LabelBackground = Palette::Background;
inline constexpr Color LabelText = Palette::White;
inline constexpr Color ButtonFace = Palette::Red;
inline constexpr Color HintText = rgb(160, 160, 160);
// The label's and the buttons' captions are bold, in this family.
inline constexpr std::string_view CaptionFamily = "Arial";

// Where the picture, the story label and the five command buttons go in a window of a given
// size, in a given view, at a given number of device pixels per logical pixel, for a given
// pointer. Every front end places its controls from here. A window larger than MaxDeviceSide
// device pixels a side is used only up to that, centred, with bars around, whatever the window
// manager allowed.
//
// Where the controls at their design places meet the pointer's floor (and, in actual size, lie
// whole inside the window), they stay there, over the picture as designed. Elsewhere they leave
// the picture for a panel of their own, below it in an upright window or beside it in a wide
// one: each control scaled to the floor or above, nothing overlapping, the picture as large as
// the panel leaves room for.
class Layout {
  public:
    // `menu` is the size of a menu button the front end keeps in a corner, if it has one: the
    // layout finds it a place that covers no control.
    Layout(PixelSize window, ViewMode view, double pixelRatio = 1.0,
           Pointer pointer = Pointer::Fine, PixelSize menu = {});

    // The part of the window the game uses; bars fill the rest.
    PixelRect area() const { return area_; }

    // What the painters see: the picture's own size in actual size, the design size fitted.
    PixelSize client() const { return client_; }
    double zoom() const { return zoom_; }
    // The picture's top-left corner in the window; bars fill the rest.
    PixelPoint origin() const { return origin_; }
    // Where the picture shows in the window.
    PixelRect picture() const { return {origin_.x, origin_.y, shown_.width, shown_.height}; }

    // Whether the controls have left the picture for the panel.
    bool panel() const { return panel_; }

    PixelRect label() const { return label_; }
    // Only for an action with a button.
    PixelRect button(Action action) const;
    // A caption keeps the lines it has in the design at every zoom and pixel ratio: it is laid
    // out in its control's design size at the design's font size, and drawn scaled, so its font
    // is in effect the design's size times the scale. (A font set to that size instead is
    // hinted and rounded there, and "FIRE BALL!!!!!!!", a fifth of a pixel narrower than its
    // button, wraps at many zooms.) Over the picture the scale is the zoom; in the panel, each
    // control's own.
    struct Caption {
        PixelSize box;  // the control's size in the design
        int fontPixels; // the caption's font size there
        double scale;   // how much larger it is drawn
    };
    Caption labelCaption() const;
    // Only for an action with a button.
    Caption buttonCaption(Action action) const;

    // The menu button's place: the area's upper right corner, clear of every control; empty
    // where the front end has none.
    PixelRect menuButton() const { return menu_; }

    // Where the continue hint goes, in the window's own size (it does not zoom with the
    // picture): in the panel, where the buttons will be; else in the bar below a fitted
    // picture, or at the bottom of the bar left of it, where either has room for it; else over
    // the picture's lower-left corner.
    PixelRect continueHint() const { return hint_; }
    int hintFontPixels() const { return hintFont_; }
    // The hint's words for this pointer.
    std::string_view continueText() const;

    // The buttons as the window description lists them, which is also the stacking order:
    // each is drawn above the last.
    static constexpr std::array<Action, 5> StackingOrder{Action::StartOver,
                                                         Action::TryAnotherChoice, Action::EatHim,
                                                         Action::FireBall, Action::FlameBreath};
    static constexpr std::array<Action, 5> TabOrder{Action::FlameBreath, Action::FireBall,
                                                    Action::EatHim, Action::TryAnotherChoice,
                                                    Action::StartOver};

  private:
    // Whether the controls at their design places meet the floor and lie whole in the area.
    bool designFits(const Floor& floor) const;
    void placeOverPicture();
    void placeInPanel(ViewMode view, const Floor& floor, PixelSize menu);
    void placeHint();

    Pointer pointer_;
    PixelSize window_;
    PixelRect area_;
    PixelSize client_;
    double zoom_ = 1.0;
    PixelPoint origin_;
    PixelSize shown_; // the picture's size in the window
    bool panel_ = false;
    PixelRect label_;
    double labelScale_ = 1.0;
    std::array<PixelRect, 6> buttons_{}; // by action
    std::array<double, 6> buttonScales_{};
    PixelRect menu_;
    PixelRect hint_;
    int hintFont_ = 16;
};
