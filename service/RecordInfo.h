#pragma once
// Descriptors of the records and operations of the service contract. The
// generated tables (IkorvelRecords.cpp, IkorvelOperations.cpp) fill them; the
// codecs (SOAP, JSON) and the service description walk them, so no field list
// is written by hand anywhere.

#include <QtGlobal>

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace korvel {

enum class FieldKind : quint8 {
    Int,            // qint32
    Double,         // double
    Boolean,        // bool
    String,         // QString
    Char,           // QChar
    DateTime,       // XsDateTime
    Date,           // XsDate
    Time,           // XsTime
    DateTimeObject, // std::optional<XsDateTime>: absent is a nil object
    Bytes,          // QByteArray
    Record,         // a nested record, owned by value
    Array,          // std::vector of records
};

const char* xsdTypeName(FieldKind kind); // "int", "double"...; nullptr for Record/Array

struct RecordInfo;

struct FieldInfo {
    const char* name;          // element name on the wire
    quint16 nameLength;
    FieldKind kind;
    const RecordInfo* element; // Record: the nested type; Array: the element type
    const char* arrayXmlName;  // Array: XML type name of the array type
    void* (*access)(void* record);

    std::string_view wireName() const { return {name, nameLength}; }
    void* member(void* record) const { return access(record); }
    const void* member(const void* record) const { return access(const_cast<void*>(record)); }
};

struct RecordInfo {
    const char* name;          // C++ and contract name
    const char* xmlName;       // XML type name (differs for a few types)
    const FieldInfo* fields;
    int fieldCount;
    const quint16* fieldsByName; // field indices sorted by wire name
    int countField;            // list records: index of `Count`, else -1
    int arrayField;            // list records: index of their array, else -1

    void* (*create)();
    void (*destroy)(void*);
    void (*assign)(void* target, const void* source);
    bool (*equals)(const void*, const void*);
    std::size_t (*vectorSize)(const void* vector);
    void* (*vectorAt)(void* vector, std::size_t index);
    void (*vectorResize)(void* vector, std::size_t size);

    std::span<const FieldInfo> fieldList() const { return {fields, std::size_t(fieldCount)}; }
    // Index of the field with this wire name, or -1. `hint` is tried first,
    // so fields arriving in wire order cost one comparison each.
    int fieldIndex(std::string_view wireName, int hint = -1) const;
    bool isList() const { return countField >= 0 && arrayField >= 0; }
};

enum class ParamDirection : quint8 { In, Out, InOut };

struct ParamInfo {
    const char* name;
    ParamDirection direction;
};

struct OperationInfo {
    const char* name;
    int number;                // position in the interface, from 1
    const RecordInfo* request; // the sent parameters (in and in-out), in order
    const RecordInfo* response;// "return" first when there is a result, then out and in-out
    const ParamInfo* params;   // every parameter in interface order
    int paramCount;
    bool hasResult;

    std::span<const ParamInfo> paramList() const { return {params, std::size_t(paramCount)}; }
    QByteArray soapAction() const;
};

// Every operation of the interface in order, and lookup by name.
std::span<const OperationInfo* const> allOperations();
const OperationInfo* findOperation(std::string_view name);
// Every record type, and lookup by contract or XML name.
std::span<const RecordInfo* const> allRecords();
const RecordInfo* findRecord(std::string_view name);

extern const char* const kServiceNamespace; // "urn:korvelIntf-Ikorvel"
extern const char* const kTypesNamespace;   // "urn:korvelIntf"

// Value operations every generated record type gets.
template <class T>
struct RecordOps {
    static void* create() { return new T(); }
    static void destroy(void* p) { delete static_cast<T*>(p); }
    static void assign(void* target, const void* source) { *static_cast<T*>(target) = *static_cast<const T*>(source); }
    static bool equals(const void* a, const void* b) { return *static_cast<const T*>(a) == *static_cast<const T*>(b); }
    static std::size_t vectorSize(const void* v) { return static_cast<const std::vector<T>*>(v)->size(); }
    static void* vectorAt(void* v, std::size_t i) { return &(*static_cast<std::vector<T>*>(v))[i]; }
    static void vectorResize(void* v, std::size_t n) { static_cast<std::vector<T>*>(v)->resize(n); }
};

} // namespace korvel
