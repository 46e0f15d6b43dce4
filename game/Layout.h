#pragma once

#include "canvas/Color.h"
#include "canvas/Palette.h"
#include "game/Action.h"
#include "game/Pixels.h"

#include <array>
#include <string_view>

// How the picture fills the window: one logical pixel per 15 twips with the goblin following
// the lower-right corner, or the design size scaled to fit and centred.
enum class ViewMode { Actual, Fit };

// The client area the pictures are designed for, in logical pixels.
inline constexpr PixelSize DesignSize{1024, 720};
// The smallest client area the window allows, in logical pixels.
inline constexpr PixelSize MinimumClient{320, 225};
// The most of a window the game draws, grabs and keeps, in device pixels a side: enough for an
// 8K screen, and at 4 bytes a pixel a picture stays within 256 MiB.
inline constexpr int MaxDeviceSide = 8192;

// How the window looks around the picture, whatever draws it.
inline constexpr Color BarColour = rgb(16, 16, 16); // around a fitted picture
inline constexpr Color LabelBackground = Palette::Background;
inline constexpr Color LabelText = Palette::White;
inline constexpr Color ButtonFace = Palette::Red;
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
    // Caption sizes in whole pixels, at least one, rounded from the zoom.
    int labelFontPixels() const;
    int buttonFontPixels(Action action) const;

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
};
