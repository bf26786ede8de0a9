#pragma once
// The component stream: published properties, collections, binary values
// and each class's own defined properties, written by TWriter and read by
// TReader.
//
// Format (all numbers little-endian):
//   stream      := "KCS" 0x1A, version byte (1), property-list
//   property-list := { name value } end
//   name        := uint16 length (1..65535), that many UTF-8 bytes; a
//                  property of an owned sub-object is named by its dotted
//                  path ("Font.Color")
//   end         := uint16 0
//   value       := one tag byte, then its payload:
//     0x00 null        (ends a collection)
//     0x01 list        a property-list (one item of a collection)
//     0x02 integer     int64
//     0x03 float       IEEE 754 double
//     0x04 string      uint32 length, UTF-8 bytes
//     0x05 false, 0x06 true
//     0x07 identifier  uint16 length, bytes (an enumeration value's name)
//     0x08 set         uint16 count, then count identifiers as above
//     0x09 collection  { [identifier] list } null; the identifier, where
//                      there is one, names the class of the item after it
//     0x0A binary      uint32 length, bytes
// Collections nest at most MaxCollectionDepth deep; a stream that breaks
// any of these rules is refused with EReadError.
#include <cstdint>
#include <functional>
#include <string>

#include "rtl/Persistent.h"
#include "rtl/Stream.h"

class TReader;
class TWriter;

enum class TValueType : std::uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt = 0x02,
    vaFloat = 0x03,
    vaString = 0x04,
    vaFalse = 0x05,
    vaTrue = 0x06,
    vaIdent = 0x07,
    vaSet = 0x08,
    vaCollection = 0x09,
    vaBinary = 0x0A,
};

constexpr char StreamSignature[4] = {'K', 'C', 'S', 0x1A};
constexpr std::uint8_t StreamVersion = 1;
constexpr int MaxCollectionDepth = 32;

// What TReader and TWriter share: the hook through which a class defines
// stream properties of its own (TPersistent::DefineProperties).
class TFiler : public TObject {
public:
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;
    using TStreamProc = std::function<void(TStream&)>;

    explicit TFiler(TStream& Stream) : FStream(Stream) {}

    // A property stored as one value; WriteData writes exactly one value and
    // ReadData reads it. Written only when HasData.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // A property stored as opaque bytes; WriteData writes them to the stream
    // it is given, ReadData gets a stream holding exactly those bytes.
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;

    TStream& Stream() { return FStream; }

protected:
    TStream& FStream;
};
