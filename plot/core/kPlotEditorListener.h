#pragma once
// What the master manager tells the plot's run-time editor, and asks of it:
// the editor host answers, so the master manager needs no editor to work.
class TObject;
class TkPlotObject;

class TkPlotEditorListener {
public:
    virtual void ObjectAdded(TkPlotObject* Object) = 0;
    virtual void ObjectRemoved(TkPlotObject* Object) = 0;
    virtual void ObjectRenamed(TkPlotObject* Object) = 0;
    // Opens the editor on the object (none: on the page it showed last).
    virtual void Edit(TkPlotObject* Object) = 0;
    // Form is the open editor's, and it is filling its controls.
    virtual bool IsLoadingEditor(const TObject* Form) const = 0;

protected:
    ~TkPlotEditorListener() = default;
};
