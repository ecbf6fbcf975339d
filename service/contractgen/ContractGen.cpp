// Reads the declarative service contract (Ikorvel.contract) and writes the C++
// record types, their descriptor tables, the operation descriptors and the
// typed proxy. Run by the build; its output is never edited by hand.
//
//   korvel-contractgen <contract file> <output folder>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Type {
    std::string kind;  // int double boolean string char date time dateTime dateTimeObject bytes record array
    std::string name;  // record: record name; array: array type name
};

struct Field {
    std::string name;
    Type type;
};

struct Record {
    std::string name;
    std::string xmlName;
    std::vector<Field> fields;
    int line = 0;
};

struct ArrayType {
    std::string name;
    std::string element;
    std::string xmlName;
};

struct Param {
    std::string direction; // in out inout
    std::string name;
    Type type;
};

struct Operation {
    std::string name;
    bool hasResult = false;
    Type result;
    std::vector<Param> params;
};

struct Contract {
    std::vector<ArrayType> arrays;
    std::vector<Record> records;
    std::vector<Operation> operations;
};

[[noreturn]] void fail(int line, const std::string& what)
{
    throw std::runtime_error("contract line " + std::to_string(line) + ": " + what);
}

std::vector<std::string> tokens(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string t;
    while (in >> t)
        out.push_back(t);
    return out;
}

const std::set<std::string> kScalars = {"int", "double", "boolean", "string", "char", "date", "time",
                                        "dateTime", "dateTimeObject", "bytes"};

Type parseType(const std::vector<std::string>& t, std::size_t from, int line)
{
    if (from >= t.size())
        fail(line, "type expected");
    if (kScalars.count(t[from])) {
        if (from + 1 != t.size())
            fail(line, "unexpected text after type");
        return {t[from], {}};
    }
    if ((t[from] == "record" || t[from] == "array") && from + 2 == t.size())
        return {t[from], t[from + 1]};
    fail(line, "unknown type '" + t[from] + "'");
}

std::string option(const std::vector<std::string>& t, std::size_t from, const std::string& key)
{
    for (std::size_t i = from; i < t.size(); ++i)
        if (t[i].rfind(key + "=", 0) == 0)
            return t[i].substr(key.size() + 1);
    return {};
}

Contract parse(std::istream& in)
{
    Contract c;
    std::string raw;
    int line = 0;
    enum { None, InRecord, InOperation } state = None;
    while (std::getline(in, raw)) {
        ++line;
        const auto hash = raw.find('#');
        if (hash != std::string::npos)
            raw.erase(hash);
        const auto t = tokens(raw);
        if (t.empty())
            continue;
        const bool indented = raw[0] == ' ' || raw[0] == '\t';
        if (!indented) {
            state = None;
            if (t[0] == "array") {
                if (t.size() < 3)
                    fail(line, "array <Name> <Element> expected");
                std::string xml = option(t, 3, "xml");
                c.arrays.push_back({t[1], t[2], xml.empty() ? t[1] : xml});
            } else if (t[0] == "record") {
                if (t.size() < 2)
                    fail(line, "record <Name> expected");
                std::string xml = option(t, 2, "xml");
                c.records.push_back({t[1], xml.empty() ? t[1] : xml, {}, line});
                state = InRecord;
            } else if (t[0] == "op") {
                if (t.size() < 2)
                    fail(line, "op <Name> expected");
                Operation op;
                op.name = t[1];
                if (t.size() > 2) {
                    if (t[2] != "->")
                        fail(line, "'->' expected");
                    op.hasResult = true;
                    op.result = parseType(t, 3, line);
                }
                c.operations.push_back(op);
                state = InOperation;
            } else {
                fail(line, "unknown declaration '" + t[0] + "'");
            }
            continue;
        }
        if (state == InRecord) {
            c.records.back().fields.push_back({t[0], parseType(t, 1, line)});
        } else if (state == InOperation) {
            if (t.size() < 3 || (t[0] != "in" && t[0] != "out" && t[0] != "inout"))
                fail(line, "<in|out|inout> <Param> <type> expected");
            c.operations.back().params.push_back({t[0], t[1], parseType(t, 2, line)});
        } else {
            fail(line, "indented line outside a record or an operation");
        }
    }
    return c;
}

// ---- Checks and ordering

struct Model {
    Contract contract;
    std::map<std::string, const ArrayType*> arrays;
    std::map<std::string, const Record*> records;
    std::vector<const Record*> ordered; // every record after the records it contains
};

void check(Model& m)
{
    for (const auto& a : m.contract.arrays)
        if (!m.arrays.emplace(a.name, &a).second)
            throw std::runtime_error("array declared twice: " + a.name);
    for (const auto& r : m.contract.records)
        if (!m.records.emplace(r.name, &r).second)
            throw std::runtime_error("record declared twice: " + r.name);
    auto checkType = [&](const Type& t, const std::string& where) {
        if (t.kind == "record" && !m.records.count(t.name))
            throw std::runtime_error(where + ": unknown record " + t.name);
        if (t.kind == "array" && !m.arrays.count(t.name))
            throw std::runtime_error(where + ": unknown array " + t.name);
    };
    for (const auto& a : m.contract.arrays)
        if (!m.records.count(a.element))
            throw std::runtime_error("array " + a.name + ": unknown element " + a.element);
    for (const auto& r : m.contract.records) {
        std::set<std::string> names;
        for (const auto& f : r.fields) {
            checkType(f.type, r.name + "." + f.name);
            if (!names.insert(f.name).second)
                throw std::runtime_error(r.name + ": field twice: " + f.name);
        }
    }
    std::set<std::string> opNames;
    for (const auto& op : m.contract.operations) {
        if (!opNames.insert(op.name).second)
            throw std::runtime_error("operation declared twice: " + op.name);
        if (op.hasResult)
            checkType(op.result, op.name + " result");
        for (const auto& p : op.params)
            checkType(p.type, op.name + "." + p.name);
    }

    std::set<std::string> done, visiting;
    std::function<void(const Record*)> visit = [&](const Record* r) {
        if (done.count(r->name))
            return;
        if (!visiting.insert(r->name).second)
            throw std::runtime_error("records contain each other: " + r->name);
        for (const auto& f : r->fields) {
            if (f.type.kind == "record")
                visit(m.records.at(f.type.name));
            if (f.type.kind == "array")
                visit(m.records.at(m.arrays.at(f.type.name)->element));
        }
        visiting.erase(r->name);
        done.insert(r->name);
        m.ordered.push_back(r);
    };
    for (const auto& r : m.contract.records)
        visit(&r);
}

// ---- Emitting

std::string cppType(const Model& m, const Type& t)
{
    if (t.kind == "int") return "qint32";
    if (t.kind == "double") return "double";
    if (t.kind == "boolean") return "bool";
    if (t.kind == "string") return "QString";
    if (t.kind == "char") return "QChar";
    if (t.kind == "date") return "XsDate";
    if (t.kind == "time") return "XsTime";
    if (t.kind == "dateTime") return "XsDateTime";
    if (t.kind == "dateTimeObject") return "std::optional<XsDateTime>";
    if (t.kind == "bytes") return "QByteArray";
    if (t.kind == "record") return t.name;
    return t.name; // array alias
}

std::string initializer(const Type& t)
{
    if (t.kind == "int" || t.kind == "double") return " = 0";
    if (t.kind == "boolean") return " = false";
    return {};
}

std::string fieldKind(const Type& t)
{
    static const std::map<std::string, std::string> kinds = {
        {"int", "Int"}, {"double", "Double"}, {"boolean", "Boolean"}, {"string", "String"}, {"char", "Char"},
        {"date", "Date"}, {"time", "Time"}, {"dateTime", "DateTime"}, {"dateTimeObject", "DateTimeObject"},
        {"bytes", "Bytes"}, {"record", "Record"}, {"array", "Array"}};
    return "FieldKind::" + kinds.at(t.kind);
}

bool passedByValue(const Type& t)
{
    return t.kind == "int" || t.kind == "double" || t.kind == "boolean";
}

struct TableField {
    std::string wireName;
    std::string member;
    Type type;
};

// Writes the accessor functions, the field table, the name index and the
// descriptor of one record-like C++ type.
void emitTables(std::ostream& o, const Model& m, const std::string& cppName, const std::string& symbol,
                const std::string& name, const std::string& xmlName, const std::vector<TableField>& fields)
{
    for (const auto& f : fields)
        o << "void* " << symbol << "_" << f.member << "(void* r) { return &static_cast<" << cppName << "*>(r)->"
          << f.member << "; }\n";
    int countField = -1, arrayField = -1, arrays = 0;
    if (!fields.empty()) {
        o << "const FieldInfo " << symbol << "_fields[] = {\n";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const auto& f = fields[i];
            std::string element = "nullptr", arrayXml = "nullptr";
            if (f.type.kind == "record")
                element = "&contract::" + f.type.name;
            if (f.type.kind == "array") {
                const ArrayType* a = m.arrays.at(f.type.name);
                element = "&contract::" + a->element;
                arrayXml = "\"" + a->xmlName + "\"";
                arrayField = int(i);
                ++arrays;
            }
            if (f.wireName == "Count" && f.type.kind == "int")
                countField = int(i);
            o << "    {\"" << f.wireName << "\", " << f.wireName.size() << ", " << fieldKind(f.type) << ", " << element
              << ", " << arrayXml << ", &" << symbol << "_" << f.member << "},\n";
        }
        o << "};\n";
        std::vector<std::size_t> order(fields.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return fields[a].wireName < fields[b].wireName; });
        o << "const quint16 " << symbol << "_byName[] = {";
        for (std::size_t i = 0; i < order.size(); ++i)
            o << (i ? ", " : "") << order[i];
        o << "};\n";
    }
    if (arrays != 1)
        countField = arrayField = -1;
    const bool any = !fields.empty();
    o << "} // namespace\n";
    o << "const RecordInfo " << symbol << " = {\"" << name << "\", \"" << xmlName << "\", "
      << (any ? symbol + "_fields" : std::string("nullptr")) << ", " << fields.size() << ", "
      << (any ? symbol + "_byName" : std::string("nullptr")) << ", " << countField << ", " << arrayField << ",\n"
      << "    &RecordOps<" << cppName << ">::create, &RecordOps<" << cppName << ">::destroy, &RecordOps<" << cppName
      << ">::assign, &RecordOps<" << cppName << ">::equals,\n"
      << "    &RecordOps<" << cppName << ">::vectorSize, &RecordOps<" << cppName << ">::vectorAt, &RecordOps<" << cppName
      << ">::vectorResize};\n";
    o << "namespace {\n";
}

const char* kBanner = "// Generated from service/contract/Ikorvel.contract by korvel-contractgen. Do not edit.\n";

void emitRecordsHeader(std::ostream& o, const Model& m)
{
    o << kBanner << "#pragma once\n\n"
      << "#include \"service/RecordInfo.h\"\n#include \"service/XsdTypes.h\"\n\n"
      << "#include <QByteArray>\n#include <QChar>\n#include <QString>\n\n#include <optional>\n#include <vector>\n\n"
      << "namespace korvel {\n\n";
    for (const auto& r : m.contract.records)
        o << "struct " << r.name << ";\n";
    o << "\n";
    for (const Record* r : m.ordered) {
        o << "struct " << r->name << " {\n";
        for (const auto& f : r->fields)
            o << "    " << cppType(m, f.type) << " " << f.name << initializer(f.type) << ";\n";
        o << "\n    static const RecordInfo& info();\n"
          << "    bool operator==(const " << r->name << "&) const = default;\n};\n";
        for (const auto& a : m.contract.arrays)
            if (a.element == r->name)
                o << "using " << a.name << " = std::vector<" << r->name << ">;\n";
        o << "\n";
    }
    o << "namespace contract {\n";
    for (const auto& r : m.contract.records)
        o << "extern const RecordInfo " << r.name << ";\n";
    o << "} // namespace contract\n\n} // namespace korvel\n";
}

void emitRecordsSource(std::ostream& o, const Model& m)
{
    o << kBanner << "#include \"IkorvelRecords.h\"\n\n#include <algorithm>\n#include <cstring>\n\n"
      << "namespace korvel {\nnamespace contract {\nnamespace {\n";
    for (const auto& r : m.contract.records) {
        std::vector<TableField> fields;
        for (const auto& f : r.fields)
            fields.push_back({f.name, f.name, f.type});
        emitTables(o, m, "korvel::" + r.name, r.name, r.name, r.xmlName, fields);
    }
    o << "const RecordInfo* const kRecords[] = {\n";
    for (const auto& r : m.contract.records)
        o << "    &" << r.name << ",\n";
    o << "};\n} // namespace\n} // namespace contract\n\n";
    for (const auto& r : m.contract.records)
        o << "const RecordInfo& " << r.name << "::info() { return contract::" << r.name << "; }\n";
    o << "\nstd::span<const RecordInfo* const> allRecords() { return contract::kRecords; }\n\n"
      << "const RecordInfo* findRecord(std::string_view name)\n{\n"
      << "    for (const RecordInfo* r : contract::kRecords)\n"
      << "        if (name == r->name || name == r->xmlName)\n            return r;\n"
      << "    return nullptr;\n}\n\n} // namespace korvel\n";
}

std::vector<TableField> requestFields(const Operation& op)
{
    std::vector<TableField> out;
    for (const auto& p : op.params)
        if (p.direction != "out")
            out.push_back({p.name, p.name, p.type});
    return out;
}

std::vector<TableField> responseFields(const Operation& op)
{
    std::vector<TableField> out;
    if (op.hasResult)
        out.push_back({"return", "result", op.result});
    for (const auto& p : op.params)
        if (p.direction != "in")
            out.push_back({p.name, p.name, p.type});
    return out;
}

void emitStruct(std::ostream& o, const Model& m, const std::string& name, const std::vector<TableField>& fields)
{
    o << "    struct " << name << " {\n";
    for (const auto& f : fields)
        o << "        " << cppType(m, f.type) << " " << f.member << initializer(f.type) << ";\n";
    o << "        static const RecordInfo& info();\n"
      << "        bool operator==(const " << name << "&) const = default;\n    };\n";
}

void emitOperationsHeader(std::ostream& o, const Model& m)
{
    o << kBanner << "#pragma once\n\n#include \"IkorvelRecords.h\"\n\nnamespace korvel::ops {\n\n";
    for (const auto& op : m.contract.operations) {
        o << "struct " << op.name << " {\n";
        emitStruct(o, m, "Request", requestFields(op));
        emitStruct(o, m, "Response", responseFields(op));
        o << "    static const OperationInfo& info();\n};\n\n";
    }
    o << "} // namespace korvel::ops\n";
}

void emitOperationsSource(std::ostream& o, const Model& m)
{
    o << kBanner << "#include \"IkorvelOperations.h\"\n\nnamespace korvel {\nnamespace contract {\nnamespace {\n";
    int number = 0;
    for (const auto& op : m.contract.operations) {
        ++number;
        emitTables(o, m, "korvel::ops::" + op.name + "::Request", op.name + "_Request", op.name,
                   op.name, requestFields(op));
        emitTables(o, m, "korvel::ops::" + op.name + "::Response", op.name + "_Response", op.name + "Response",
                   op.name + "Response", responseFields(op));
        if (!op.params.empty()) {
            o << "const ParamInfo " << op.name << "_params[] = {";
            for (std::size_t i = 0; i < op.params.size(); ++i) {
                const auto& p = op.params[i];
                const char* dir = p.direction == "in" ? "In" : p.direction == "out" ? "Out" : "InOut";
                o << (i ? ", " : "") << "{\"" << p.name << "\", ParamDirection::" << dir << "}";
            }
            o << "};\n";
        }
        o << "} // namespace\n";
        o << "const OperationInfo " << op.name << "_op = {\"" << op.name << "\", " << number << ", &" << op.name
          << "_Request, &" << op.name << "_Response, "
          << (op.params.empty() ? std::string("nullptr") : op.name + "_params") << ", " << op.params.size() << ", "
          << (op.hasResult ? "true" : "false") << "};\n";
        o << "namespace {\n";
    }
    o << "const OperationInfo* const kOperations[] = {\n";
    for (const auto& op : m.contract.operations)
        o << "    &" << op.name << "_op,\n";
    o << "};\n} // namespace\n} // namespace contract\n\n";
    for (const auto& op : m.contract.operations) {
        o << "const RecordInfo& ops::" << op.name << "::Request::info() { return contract::" << op.name
          << "_Request; }\n";
        o << "const RecordInfo& ops::" << op.name << "::Response::info() { return contract::" << op.name
          << "_Response; }\n";
        o << "const OperationInfo& ops::" << op.name << "::info() { return contract::" << op.name << "_op; }\n";
    }
    o << "\nstd::span<const OperationInfo* const> allOperations() { return contract::kOperations; }\n\n"
      << "const OperationInfo* findOperation(std::string_view name)\n{\n"
      << "    for (const OperationInfo* op : contract::kOperations)\n"
      << "        if (name == op->name)\n            return op;\n"
      << "    return nullptr;\n}\n\n} // namespace korvel\n";
}

std::string signature(const Model& m, const Operation& op, bool withClass)
{
    std::string s = op.hasResult ? cppType(m, op.result) : "void";
    s += withClass ? " Ikorvel::" : " ";
    s += op.name + "(";
    for (std::size_t i = 0; i < op.params.size(); ++i) {
        const auto& p = op.params[i];
        if (i)
            s += ", ";
        if (p.direction == "in")
            s += passedByValue(p.type) ? cppType(m, p.type) + " " : "const " + cppType(m, p.type) + "& ";
        else
            s += cppType(m, p.type) + "& ";
        s += p.name;
    }
    return s + ")";
}

void emitProxyHeader(std::ostream& o, const Model& m)
{
    o << kBanner << "#pragma once\n\n#include \"IkorvelOperations.h\"\n#include \"service/ServiceClient.h\"\n\n"
      << "namespace korvel {\n\n"
      << "// The typed proxy of the Ikorvel interface: one method per operation,\n"
      << "// parameters in interface order; in-out and out parameters are references\n"
      << "// that receive the server's values. Failures throw ServiceError.\n"
      << "class Ikorvel : public ServiceClient {\npublic:\n    using ServiceClient::ServiceClient;\n\n";
    for (const auto& op : m.contract.operations)
        o << "    " << signature(m, op, false) << ";\n";
    o << "};\n\n} // namespace korvel\n";
}

void emitProxySource(std::ostream& o, const Model& m)
{
    o << kBanner << "#include \"IkorvelProxy.h\"\n\n#include <utility>\n\nnamespace korvel {\n\n";
    for (const auto& op : m.contract.operations) {
        o << signature(m, op, true) << "\n{\n    ops::" << op.name << "::Request request;\n";
        for (const auto& p : op.params)
            if (p.direction != "out")
                o << "    request." << p.name << " = " << p.name << ";\n";
        o << "    ops::" << op.name << "::Response response;\n"
          << "    invoke(ops::" << op.name << "::info(), &request, &response);\n";
        for (const auto& p : op.params)
            if (p.direction != "in")
                o << "    " << p.name << " = std::move(response." << p.name << ");\n";
        if (op.hasResult)
            o << "    return std::move(response.result);\n";
        o << "}\n\n";
    }
    o << "} // namespace korvel\n";
}

// Writes only when the text changed, so an unchanged contract rebuilds nothing.
void writeFile(const std::string& path, const std::string& text)
{
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::stringstream old;
            old << in.rdbuf();
            if (old.str() == text)
                return;
        }
    }
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out)
            throw std::runtime_error("cannot write " + temp);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot replace " + path);
}

template <class F>
void generate(const std::string& path, const Model& m, F emit)
{
    std::ostringstream o;
    emit(o, m);
    writeFile(path, o.str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: korvel-contractgen <contract file> <output folder>\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1]);
        if (!in)
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        Model m;
        m.contract = parse(in);
        check(m);
        const std::string dir = argv[2];
        generate(dir + "/IkorvelRecords.h", m, emitRecordsHeader);
        generate(dir + "/IkorvelRecords.cpp", m, emitRecordsSource);
        generate(dir + "/IkorvelOperations.h", m, emitOperationsHeader);
        generate(dir + "/IkorvelOperations.cpp", m, emitOperationsSource);
        generate(dir + "/IkorvelProxy.h", m, emitProxyHeader);
        generate(dir + "/IkorvelProxy.cpp", m, emitProxySource);
    } catch (const std::exception& e) {
        std::cerr << "korvel-contractgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
