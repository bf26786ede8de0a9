#pragma once
// Builds a form or frame in code, control by control. Every control is
// created owned by the builder's owner (which frees it), named (lookups and
// tests find it by that name) and placed on the builder's parent. A control
// joins the tab order when it is placed, so the controls of a window are
// visited in the order they were added.
#include "controls/VcDialogButtons.h"
#include "controls/VcLabel.h"
#include "controls/VcTabSheet.h"
#include "controls/VcToolButton.h"

#include <string>

class TVcFormBuilder {
public:
    TVcFormBuilder(TComponent* Owner, TWinControl* Parent) : FOwner(Owner), FParent(Parent) {}

    TComponent* Owner() const { return FOwner; }
    TWinControl* Parent() const { return FParent; }
    // A builder for the same owner that places its controls on Parent.
    TVcFormBuilder On(TWinControl* Parent) const { return TVcFormBuilder(FOwner, Parent); }

    // A new T named Name on the parent. A name the owner already uses is
    // refused: a lookup by name would find the other component.
    template <class T> T* Add(const std::string& Name) const
    {
        CheckName(Name);
        auto* Control = new T(FOwner);
        Control->SetName(Name);
        Control->SetParent(FParent);
        return Control;
    }
    // The same, at Left, Top with Width and Height.
    template <class T> T* Add(const std::string& Name, int Left, int Top, int Width, int Height) const
    {
        T* Control = Add<T>(Name);
        Control->SetBounds(Left, Top, Width, Height);
        return Control;
    }

    // A label sized to its caption, its top left corner at Left, Top.
    TVcLabel* Label(const std::string& Name, const std::string& Caption, int Left, int Top) const;
    // A button appended to the parent tool bar, showing the tool bar's
    // image ImageIndex (none when negative).
    TVcToolButton* ToolButton(const std::string& Name, const std::string& Caption, int ImageIndex = -1) const;
    // A page appended to the parent, which must be a page control.
    TVcTabSheet* Page(const std::string& Name, const std::string& Caption) const;
    // An OK/Cancel button panel along the parent's bottom edge.
    TVcDialogButtons* DialogButtons(const std::string& Name, const std::string& CaptionOk,
                                    const std::string& CaptionCancel) const;

private:
    void CheckName(const std::string& Name) const;

    TComponent* FOwner;
    TWinControl* FParent;
};
