#pragma once
// Reads the component-stream format (see Filer.h) back into objects.
#include <vector>

#include "rtl/Filer.h"

class TReader : public TFiler {
public:
    explicit TReader(TStream& Stream) : TFiler(Stream) {}

    // Reads a whole stream written by TWriter::WriteRoot into Instance. The
    // stream is checked from end to end before anything is set; when a
    // value cannot be applied, the instance gets its old settings back.
    // Either way a bad stream raises EReadError and leaves Instance as it was.
    void ReadRoot(TPersistent* Instance);

    // Reads properties into Instance up to and including the list's end.
    void ReadProperties(TPersistent* Instance);
    // Reads a collection: for each item NewItem gives the object to read
    // into, and Done (when set) is called once its properties are read.
    // An item that names its class is refused.
    void ReadCollection(const std::function<TPersistent*()>& NewItem,
                        const std::function<void(TPersistent*)>& Done = {});
    // The same for items that may name their class: NewItem gets the name,
    // or an empty one for an item that names none.
    void ReadCollection(const std::function<TPersistent*(const std::string& ClassName)>& NewItem,
                        const std::function<void(TPersistent*)>& Done = {});

    void ReadSignature();
    // The type of the next value, without consuming it.
    TValueType NextValue();
    bool EndOfList();  // true when the list's end comes next
    void ReadListEnd();
    std::string ReadPropName();
    std::int64_t ReadInteger();
    double ReadFloat();  // an integer value is taken too
    std::string ReadString();
    bool ReadBoolean();
    std::string ReadIdent();
    std::vector<std::string> ReadSet();
    std::string ReadBinary();
    // Skips one value of any type, checking its structure.
    void SkipValue();

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    TValueType ReadValueType();
    void Expect(TValueType Type);
    std::string ReadBytes(std::uint64_t Count);
    std::string ReadShortText();
    void SkipPropertyList();
    void ReadProperty(TPersistent* Instance);

    int FDepth = 0;
    std::string FPendingName;  // the defined property being looked for
    bool FPendingHandled = false;
};
