#pragma once
// The plot's strip of command buttons: tracking on and off, the axes'
// scroll and zoom modes, zooming, the select and zoom-box modes, the data
// cursors, and the plot's editor, clipboard, image file, printing and
// preview. Every click is framed by the plot's before and after events,
// and the before event may veto it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/core/kPlotObjects.h"
#include "plot/core/kPlotPointerModes.h"

class TImageList;
class TkPlotAxis;
class TkPlotMasterManager;
class TkPlotToolBar;

// The button types, as the toolbar events report them.
enum TkPlotToolBarButtonType {
    kptbbtResume,
    kptbbtPause,
    kptbbtScrollAxesMode,
    kptbbtZoomAxesMode,
    kptbbtSelect,
    kptbbtZoomBox,
    kptbbtZoomOut,
    kptbbtZoomIn,
    kptbbtCursor,
    kptbbtEdit,
    kptbbtCopy,
    kptbbtSave,
    kptbbtPrint,
    kptbbtPreview,
};

// One button of the bar, or a separator: a gap with no glyph and no action.
class TkPlotToolBarButton : public TkPlotButton {
public:
    TkPlotToolBarButton(TkPlotToolBar* AToolBar, TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks,
                        TkPlotToolBarButtonType AType, bool ASeparator, const std::string& AHint);

    TkPlotToolBarButtonType GetType() const { return FType; }
    bool IsSeparator() const { return FSeparator; }
    const std::string& GetHint() const { return FHint; }
    const std::string& GetGlyphName() const { return FGlyphName; }
    // A new glyph name drops the loaded picture; it loads at the next paint.
    void SetGlyphName(const std::string& Value);
    int GetImageIndex() const { return FImageIndex; }
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    bool GetHot() const { return FHot; }

    void MouseMove(TShiftState Shift, TPoint Client, TkPlotHintData* Hint = nullptr) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;

protected:
    ~TkPlotToolBarButton() override = default;
    void DoMouseHover(const TkPlotMouseData& Mouse) override;
    void DoMouseLeave() override;

private:
    // Loads the picture of GlyphName into the bar's image list when none
    // is loaded yet.
    void LoadGlyph();
    // A one-pixel frame: TopLeft on the top and left edges, BottomRight on
    // the others.
    void DrawFrame(TCanvas* Canvas, TColor TopLeft, TColor BottomRight) const;

    TkPlotToolBar* FToolBar;
    TkPlotToolBarButtonType FType;
    bool FSeparator;
    std::string FHint;
    std::string FGlyphName;
    int FImageIndex = -1;
    bool FFlat = false;
    bool FHot = false;
};

namespace TkPlotObjectKind {
extern const TkPlotKind ToolBar;
}  // namespace TkPlotObjectKind

class TkPlotToolBar : public TkPlotLayoutObject, public TkPlotPointerModes {
public:
    TkPlotToolBar(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // The plot's managers: the axes, data cursors and objects the buttons
    // act on. None: the buttons act on nothing but still fire their events.
    TkPlotMasterManager* Master = nullptr;

    // The same as a click on the button: same events, same effects.
    void ClickResume();
    void ClickPause();
    void ClickSelect() override;
    void ClickZoomBox();
    void ClickCursor();

    bool GetZoomBoxDown() const override;
    bool GetSelectDown() const override;
    bool GetCursorDown() const;

    // The buttons and separators in drawing order.
    const std::vector<TkPlotToolBarButton*>& GetButtons() const { return FButtons; }
    TkPlotToolBarButton* GetButton(TkPlotToolBarButtonType Type) const;
    TkPlotToolBarButton* GetResumeButton() const { return GetButton(kptbbtResume); }
    TkPlotToolBarButton* GetPauseButton() const { return GetButton(kptbbtPause); }
    TImageList* GetImageList() const { return FImageList.get(); }

    // 36 pixels across the bar, 28 with small buttons.
    int GetRequiredSize(TCanvas* Canvas) override;
    void Draw(TCanvas* Canvas, TColor BackColor) override;
    TkPlotObject* GetObjectAt(TPoint P) override;
    void ObjectFocused(TkPlotObject* Object) override;
    void BuildPopupMenu(TPopupMenu* Menu) override;

    // ---- published properties
    bool GetShowResumeButton() const;
    void SetShowResumeButton(bool Value);
    bool GetShowPauseButton() const;
    void SetShowPauseButton(bool Value);
    bool GetShowAxesModeButtons() const;
    void SetShowAxesModeButtons(bool Value);
    bool GetShowZoomInOutButtons() const;
    void SetShowZoomInOutButtons(bool Value);
    bool GetShowSelectButton() const;
    void SetShowSelectButton(bool Value);
    bool GetShowZoomBoxButton() const;
    void SetShowZoomBoxButton(bool Value);
    bool GetShowCursorButton() const;
    void SetShowCursorButton(bool Value);
    bool GetShowEditButton() const;
    void SetShowEditButton(bool Value);
    bool GetShowCopyButton() const;
    void SetShowCopyButton(bool Value);
    bool GetShowSaveButton() const;
    void SetShowSaveButton(bool Value);
    bool GetShowPrintButton() const;
    void SetShowPrintButton(bool Value);
    bool GetShowPreviewButton() const;
    void SetShowPreviewButton(bool Value);
    double GetZoomInOutFactor() const { return FZoomInOutFactor; }
    void SetZoomInOutFactor(double Value);
    bool GetFlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool Value);
    bool GetFlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool Value);
    bool GetSmallButtons() const { return FSmallButtons; }
    void SetSmallButtons(bool Value);

protected:
    ~TkPlotToolBar() override;

private:
    friend class TkPlotToolBarButton;

    TkPlotToolBarButton* AddButton(TkPlotToolBarButtonType Type, const std::string& Hint);
    void AddSeparator();
    TkPlotToolBarButton* Button(TkPlotToolBarButtonType Type) const { return FByType[Type]; }
    bool IsShown(TkPlotToolBarButtonType Type) const;
    void Show(TkPlotToolBarButtonType Type, bool Value);

    // A click: the before event (which may veto), the group's other
    // buttons released, the action, then the after event unless the
    // action fires none.
    void Click(TkPlotToolBarButton* Button);
    void Perform(TkPlotToolBarButtonType Type);
    void ReleaseGroup(TkPlotToolBarButton* Button);
    void Resume();
    void SetAllTracking(bool Value);
    void SetAxesZoomMode(bool ZoomMode);
    void ZoomAxes(bool In);
    void ForEachAxis(const std::function<void(TkPlotAxis&)>& Action) const;
    void CursorDownChanged();
    void SelectDownChanged();
    void LoadGlyphs(bool Small);
    // Separators show only beside a visible button of their section;
    // Resume and Pause are enabled only when some axis can be switched.
    void UpdateSeparatorsAndStates();

    std::vector<TkPlotToolBarButton*> FButtons;
    TkPlotToolBarButton* FByType[kptbbtPreview + 1] = {};
    std::vector<TkPlotToolBarButton*> FSeparators;
    std::unique_ptr<TImageList> FImageList;
    double FZoomInOutFactor = 2.0;
    bool FFlatBorder = false;
    bool FFlatButtons = false;
    bool FSmallButtons = false;
};
