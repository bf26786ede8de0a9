#pragma once
// Writes values, published properties, collections and defined properties
// in the component-stream format (see Filer.h).
#include <vector>

#include "rtl/Filer.h"

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& Stream) : TFiler(Stream) {}

    // Writes values that equal their declared default and properties marked
    // as not stored too: a full image of an object's settings.
    bool WriteDefaults = false;

    // The signature, the instance's properties and the list's end.
    void WriteRoot(const TPersistent* Instance);

    // Every published property that is stored, readable and writable (and
    // not at its declared default), those of owned sub-objects under their
    // dotted path, then the instance's own defined properties. Writes no
    // list end.
    void WriteProperties(const TPersistent* Instance);
    // A collection of Count items, each a list of its properties. Where
    // ClassName is given and names an item's class (not empty), the name
    // goes before the item, for collections whose items differ in class.
    void WriteCollection(int Count, const std::function<const TPersistent*(int)>& Item,
                         const std::function<std::string(int)>& ClassName = {});

    void WriteSignature();
    void WritePropName(const std::string& Name);
    void WriteListEnd();
    void WriteInteger(std::int64_t Value);
    void WriteFloat(double Value);
    void WriteString(const std::string& Value);
    void WriteBoolean(bool Value);
    void WriteIdent(const std::string& Value);
    void WriteSet(const std::vector<std::string>& Elements);
    void WriteBinary(const std::string& Bytes);

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    void WriteValueType(TValueType Type);
    void WriteShortText(const std::string& Text);
    void WriteObjectProperties(const TObject* Instance, const std::string& Prefix, std::vector<const TObject*>& Path);
    void WritePublished(const TObject* Instance, const struct TPropInfo& Info, const std::string& Prefix,
                        std::vector<const TObject*>& Path);

    std::string FPrefix;  // dotted path of the object whose defined properties are written
};
