#pragma once
// What a plot's editor host needs of the editor itself.

class TObject;
class TkPlotObject;

class TkPlotEditorLink {
public:
    virtual ~TkPlotEditorLink() = default;
    // The editor is filling its controls: changes are not echoed back.
    virtual bool IsLoading() const = 0;
    virtual void ObjectAdded(TkPlotObject* Object) = 0;
    virtual void ObjectRemoved(TkPlotObject* Object) = 0;
    virtual void ObjectRenamed(TkPlotObject* Object) = 0;
    // Selects the object's page and the object (none: the current page),
    // then shows the editor.
    virtual void Edit(TkPlotObject* Object) = 0;
    // The editor's form, for telling it from other forms.
    virtual const TObject* Form() const { return nullptr; }
};
