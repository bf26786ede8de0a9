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

#include "plot/channels/kPlotToolBarButton.h"
#include "plot/core/kPlotLayoutObject.h"
#include "plot/core/kPlotPointerModes.h"
#include "rtl/PublishedList.h"

class TImageList;
class TkPlotAxis;
class TkPlotMasterManager;

namespace TkPlotObjectKind {
extern const TkPlotKind ToolBar;
}  // namespace TkPlotObjectKind

class TkPlotToolBar : public TkPlotLayoutObject, public TkPlotPointerModes {
    PUBLISHED_CLASS(TkPlotToolBar);

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
    PUBLISHED_VIA(bool, ShowResumeButton, IsShown(kptbbtResume), ShowButtons(Value, kptbbtResume), true);
    PUBLISHED_VIA(bool, ShowPauseButton, IsShown(kptbbtPause), ShowButtons(Value, kptbbtPause), true);
    PUBLISHED_VIA(bool, ShowAxesModeButtons, IsShown(kptbbtScrollAxesMode),
                  ShowButtons(Value, kptbbtScrollAxesMode, kptbbtZoomAxesMode), true);
    PUBLISHED_VIA(bool, ShowZoomInOutButtons, IsShown(kptbbtZoomIn), ShowButtons(Value, kptbbtZoomIn, kptbbtZoomOut),
                  true);
    PUBLISHED_VIA(bool, ShowSelectButton, IsShown(kptbbtSelect), ShowButtons(Value, kptbbtSelect), false);
    PUBLISHED_VIA(bool, ShowZoomBoxButton, IsShown(kptbbtZoomBox), ShowButtons(Value, kptbbtZoomBox), true);
    PUBLISHED_VIA(bool, ShowCursorButton, IsShown(kptbbtCursor), ShowButtons(Value, kptbbtCursor), true);
    PUBLISHED_VIA(bool, ShowEditButton, IsShown(kptbbtEdit), ShowButtons(Value, kptbbtEdit), true);
    PUBLISHED_VIA(bool, ShowCopyButton, IsShown(kptbbtCopy), ShowButtons(Value, kptbbtCopy), true);
    PUBLISHED_VIA(bool, ShowSaveButton, IsShown(kptbbtSave), ShowButtons(Value, kptbbtSave), true);
    PUBLISHED_VIA(bool, ShowPrintButton, IsShown(kptbbtPrint), ShowButtons(Value, kptbbtPrint), true);
    PUBLISHED_VIA(bool, ShowPreviewButton, IsShown(kptbbtPreview), ShowButtons(Value, kptbbtPreview), false);
    PUBLISHED(double, ZoomInOutFactor, 2.0, DoChange(), AtLeastOne);
    PUBLISHED(bool, FlatBorder, false, DoChange());
    // Given to every button.
    bool GetFlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool Value);
    PUBLISHED_ACCESSORS(bool, FlatButtons, false);
    // Loads the glyphs of their size.
    bool GetSmallButtons() const { return FSmallButtons; }
    void SetSmallButtons(bool Value);
    PUBLISHED_ACCESSORS(bool, SmallButtons, false);
    // A toolbar lies across the plot.
    PUBLISHED_ACCESSORS(bool, Horizontal, true);

protected:
    ~TkPlotToolBar() override;

private:
    TkPlotToolBarButton* AddButton(TkPlotToolBarButtonType Type, const std::string& Hint);
    void AddSeparator();
    TkPlotToolBarButton* Button(TkPlotToolBarButtonType Type) const { return FByType[Type]; }
    bool IsShown(TkPlotToolBarButtonType Type) const;
    // Shows or hides the buttons of every type given.
    template <class... T> void ShowButtons(bool Value, T... Types) { (Show(Types, Value), ...); }
    void Show(TkPlotToolBarButtonType Type, bool Value);
    static bool AtLeastOne(double& Factor);

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
    bool FFlatButtons = false;
    bool FSmallButtons = false;
};
