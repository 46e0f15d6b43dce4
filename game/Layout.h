#pragma once

#include "canvas/Color.h"
#include "canvas/Palette.h"
#include "canvas/PixelBuffer.h"
#include "canvas/Pixels.h"
#include "game/Action.h"

#include <array>
#include <string_view>

// How the picture fills the window: one logical pixel per 15 twips with the goblin following
// the lower-right corner, or the design size scaled to fit and centred.
enum class ViewMode { Actual, Fit };

// The client area the pictures are designed for, in logical pixels.
inline constexpr PixelSize DesignSize{1024, 720};
// The smallest client area a window allows: fitted, a zoom of 0.3125, where the smallest
// caption is still about four pixels tall.
inline constexpr PixelSize MinimumSize{320, 225};

// What the window says while it waits for the first click: in the title bar, or, fullscreen,
// as the small continue hint.
inline constexpr std::string_view ContinueText = "Click to continue";
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
// size, in a given view, at a given number of device pixels per logical pixel. Every front end
// places its controls from here. A window larger than MaxDeviceSide device pixels a side is
// used only up to that, centred, with bars around, whatever the window manager allowed.
class Layout {
  public:
    Layout(PixelSize window, ViewMode view, double pixelRatio = 1.0);

    // The part of the window the game uses; bars fill the rest.
    PixelRect area() const { return area_; }

    // What the painters see: the window itself in actual size, the design size fitted.
    PixelSize client() const { return client_; }
    double zoom() const { return zoom_; }
    // The picture's top-left corner in the window; fitted, bars fill the rest.
    PixelPoint origin() const { return origin_; }

    PixelRect label() const;
    // Only for an action with a button.
    PixelRect button(Action action) const;
    // A caption keeps the lines it has in the design at every zoom and pixel ratio: it is laid
    // out in its control's design size at the design's font size, and drawn scaled by the
    // zoom, so its font is in effect the design's size times the zoom. (A font set to that
    // size instead is hinted and rounded there, and "FIRE BALL!!!!!!!", a fifth of a pixel
    // narrower than its button, wraps at many zooms.)
    struct Caption {
        PixelSize box;  // the control's size in the design
        int fontPixels; // the caption's font size there
        double scale;   // how much larger it is drawn
    };
    Caption labelCaption() const;
    // Only for an action with a button.
    Caption buttonCaption(Action action) const;

    // Where the continue hint goes, in the window's own size (it does not zoom): in the bar
    // below a fitted picture, or at the bottom of the bar left of it, where either has room
    // for it; else over the picture's lower-left corner.
    PixelRect continueHint() const;
    // Room for the text at this size with some to spare, as the font may differ.
    static constexpr PixelSize HintSize{150, 20};
    static constexpr int HintFontPixels = 13;

    // Whether a player can take the action: Advance is a click anywhere on the window, and a
    // button can be pressed while some of it lies inside the window.
    bool reachable(Action action) const;

    // The buttons as the window description lists them, which is also the stacking order:
    // each is drawn above the last.
    static constexpr std::array<Action, 5> StackingOrder{Action::StartOver,
                                                         Action::TryAnotherChoice, Action::EatHim,
                                                         Action::FireBall, Action::FlameBreath};
    static constexpr std::array<Action, 5> TabOrder{Action::FlameBreath, Action::FireBall,
                                                    Action::EatHim, Action::TryAnotherChoice,
                                                    Action::StartOver};

  private:
    PixelSize window_;
    PixelRect area_;
    PixelSize client_;
    double zoom_ = 1.0;
    PixelPoint origin_;
    PixelSize shown_; // the picture's size in the window
};
