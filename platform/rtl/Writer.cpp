#include "rtl/Writer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/PublishedProperties.h"

namespace {

bool AtDeclaredDefault(const TObject* Instance, const TPropInfo& Info)
{
    return IsOrdinalKind(Info.Kind) && Info.Default && Info.GetOrd && Info.GetOrd(Instance) == *Info.Default;
}

}  // namespace

void TWriter::WriteValueType(TValueType Type)
{
    WriteLittleEndian<std::uint8_t>(FStream, static_cast<std::uint8_t>(Type));
}

void TWriter::WriteShortText(const std::string& Text)
{
    if (Text.size() > std::numeric_limits<std::uint16_t>::max())
        throw EWriteError("Name too long for the stream: " + Text.substr(0, 64));
    WriteLittleEndian<std::uint16_t>(FStream, static_cast<std::uint16_t>(Text.size()));
    FStream.WriteBuffer(Text.data(), Text.size());
}

void TWriter::WriteSignature()
{
    FStream.WriteBuffer(StreamSignature, sizeof StreamSignature);
    WriteLittleEndian<std::uint8_t>(FStream, StreamVersion);
}

void TWriter::WritePropName(const std::string& Name)
{
    if (Name.empty())
        throw EWriteError("A stream property needs a name");
    WriteShortText(Name);
}

void TWriter::WriteListEnd()
{
    WriteLittleEndian<std::uint16_t>(FStream, 0);
}

void TWriter::WriteInteger(std::int64_t Value)
{
    WriteValueType(TValueType::vaInt);
    WriteLittleEndian<std::uint64_t>(FStream, static_cast<std::uint64_t>(Value));
}

void TWriter::WriteFloat(double Value)
{
    WriteValueType(TValueType::vaFloat);
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof Value);
    std::memcpy(&bits, &Value, sizeof bits);
    WriteLittleEndian<std::uint64_t>(FStream, bits);
}

void TWriter::WriteString(const std::string& Value)
{
    if (Value.size() > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError("String too long for the stream");
    WriteValueType(TValueType::vaString);
    WriteLittleEndian<std::uint32_t>(FStream, static_cast<std::uint32_t>(Value.size()));
    FStream.WriteBuffer(Value.data(), Value.size());
}

void TWriter::WriteBoolean(bool Value)
{
    WriteValueType(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteIdent(const std::string& Value)
{
    WriteValueType(TValueType::vaIdent);
    WriteShortText(Value);
}

void TWriter::WriteSet(const std::vector<std::string>& Elements)
{
    WriteValueType(TValueType::vaSet);
    WriteLittleEndian<std::uint16_t>(FStream, static_cast<std::uint16_t>(Elements.size()));
    for (const std::string& e : Elements)
        WriteShortText(e);
}

void TWriter::WriteBinary(const std::string& Bytes)
{
    if (Bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError("Binary value too long for the stream");
    WriteValueType(TValueType::vaBinary);
    WriteLittleEndian<std::uint32_t>(FStream, static_cast<std::uint32_t>(Bytes.size()));
    FStream.WriteBuffer(Bytes.data(), Bytes.size());
}

void TWriter::WriteRoot(const TPersistent* Instance)
{
    WriteSignature();
    WriteProperties(Instance);
    WriteListEnd();
}

void TWriter::WriteProperties(const TPersistent* Instance)
{
    std::vector<const TObject*> path;
    WriteObjectProperties(Instance, "", path);
}

void TWriter::WriteObjectProperties(const TObject* Instance, const std::string& Prefix,
                                    std::vector<const TObject*>& Path)
{
    // An owned sub-object reached twice would write forever.
    if (std::find(Path.begin(), Path.end(), Instance) != Path.end())
        return;
    Path.push_back(Instance);
    for (const TPropInfo* info : TPropertyRegistry::Instance().GetPropList(Instance))
        WritePublished(Instance, *info, Prefix, Path);
    if (auto* persistent = dynamic_cast<const TPersistent*>(Instance)) {
        std::string saved = FPrefix;
        FPrefix = Prefix;
        // Writing leaves the object as it is; the hook is shared with reading.
        const_cast<TPersistent*>(persistent)->DefineProperties(*this);
        FPrefix = saved;
    }
    Path.pop_back();
}

void TWriter::WritePublished(const TObject* Instance, const TPropInfo& Info, const std::string& Prefix,
                             std::vector<const TObject*>& Path)
{
    if (Info.Kind == TTypeKind::tkClass) {
        if (Info.OwnsObject && Info.GetObject)
            if (const TObject* sub = Info.GetObject(Instance))
                WriteObjectProperties(sub, Prefix + Info.Name + ".", Path);
        return;
    }
    if (Info.Kind == TTypeKind::tkMethod || !Info.IsReadable() || !Info.IsWritable())
        return;
    if (!WriteDefaults && (!Info.IsStored(Instance) || AtDeclaredDefault(Instance, Info)))
        return;
    WritePropName(Prefix + Info.Name);
    switch (Info.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar: WriteInteger(Info.GetOrd(Instance)); break;
    case TTypeKind::tkEnumeration:
        if (Info.TypeName == "Boolean")
            WriteBoolean(Info.GetOrd(Instance) != 0);
        else
            WriteIdent(GetEnumName(Info, Info.GetOrd(Instance)));
        break;
    case TTypeKind::tkSet: {
        std::vector<std::string> elements;
        std::int64_t bits = Info.GetOrd(Instance);
        for (std::size_t i = 0; i < Info.EnumNames.size() && i < 32; ++i)
            if (bits & (std::int64_t{1} << i))
                elements.push_back(Info.EnumNames[i]);
        WriteSet(elements);
        break;
    }
    case TTypeKind::tkFloat: WriteFloat(Info.GetFloat(Instance)); break;
    case TTypeKind::tkString: WriteString(Info.GetStr(Instance)); break;
    default: break;
    }
}

void TWriter::WriteCollection(int Count, const std::function<const TPersistent*(int)>& Item,
                              const std::function<std::string(int)>& ClassName)
{
    WriteValueType(TValueType::vaCollection);
    for (int i = 0; i < Count; ++i) {
        if (ClassName)
            if (const std::string name = ClassName(i); !name.empty())
                WriteIdent(name);
        WriteValueType(TValueType::vaList);
        WriteProperties(Item(i));
        WriteListEnd();
    }
    WriteValueType(TValueType::vaNull);
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData)
{
    if (!HasData || !WriteData)
        return;
    WritePropName(FPrefix + Name);
    WriteData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData)
{
    if (!HasData || !WriteData)
        return;
    TMemoryStream bytes;
    WriteData(bytes);
    WritePropName(FPrefix + Name);
    WriteBinary(bytes.Bytes());
}
