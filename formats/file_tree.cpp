#include "formats/file_tree.h"

#include "formats/json_writer.h"

uint64_t ShapeCount(const std::vector<uint64_t>& shape)
{
    uint64_t n = 1;
    for (const uint64_t d : shape) n *= d;
    return n;
}

uint64_t ValueCount(const TreeDataset& d)
{
    return std::visit([](const auto& v) { return static_cast<uint64_t>(v.size()); }, d.values);
}

const char* ElementName(TreeElement e)
{
    static const char* const names[] = {"float64", "int64", "uint64", "int8", "text"};
    return names[e];
}

TreeAttribute TextAttribute(const std::string& name, const std::string& text) { return {name, TreeText, {text}}; }

TreeAttribute TextListAttribute(const std::string& name, const std::vector<std::string>& texts)
{
    return {name, TreeTextList, texts};
}

TreeAttribute ReferenceAttribute(const std::string& name, const std::string& path) { return {name, TreeReference, {path}}; }

TreeAttribute Int32Attribute(const std::string& name, int32_t number) { return {name, TreeInt32, {}, number}; }

TreeDataset VectorDataset(const std::string& name, TreeValues values)
{
    TreeDataset d{name, std::move(values), {}, {}};
    d.shape = {ValueCount(d)};
    return d;
}

TreeDataset ScalarText(const std::string& name, const std::string& text)
{
    return {name, std::vector<std::string>{text}, {}, {}};
}

namespace {

void Attributes(JsonWriter& w, const std::vector<TreeAttribute>& attributes)
{
    w.OpenArray("attributes");
    for (const TreeAttribute& a : attributes) {
        w.OpenObject();
        w.Text("name", a.name);
        if (a.kind == TreeTextList) {
            w.OpenArray("texts");
            for (const std::string& t : a.texts) w.Text(nullptr, t);
            w.CloseArray();
        } else if (a.kind == TreeInt32) {
            w.Int("int32", a.number);
        } else {
            w.Text(a.kind == TreeText ? "text" : "reference", a.texts.front());
        }
        w.CloseObject();
    }
    w.CloseArray();
}

void Values(JsonWriter& w, const TreeValues& values)
{
    w.OpenArray("values");
    switch (values.index()) {
    case TreeFloat64:
        for (const double v : std::get<TreeFloat64>(values)) w.Double(nullptr, v);
        break;
    case TreeInt64:
        for (const int64_t v : std::get<TreeInt64>(values)) w.Int(nullptr, v);
        break;
    case TreeUint64:
        for (const uint64_t v : std::get<TreeUint64>(values)) w.Key(nullptr), w.out += std::to_string(v);
        break;
    case TreeInt8:
        for (const int8_t v : std::get<TreeInt8>(values)) w.Int(nullptr, v);
        break;
    default:
        for (const std::string& v : std::get<TreeUtf8>(values)) w.Text(nullptr, v);
    }
    w.CloseArray();
}

void Group(JsonWriter& w, const TreeGroup& g)
{
    w.OpenObject();
    w.Text("name", g.name);
    Attributes(w, g.attributes);
    w.OpenArray("groups");
    for (const TreeGroup& child : g.groups) Group(w, child);
    w.CloseArray();
    w.OpenArray("datasets");
    for (const TreeDataset& d : g.datasets) {
        w.OpenObject();
        w.Text("name", d.name);
        w.Text("type", ElementName(ElementOf(d)));
        w.OpenArray("shape");
        for (const uint64_t n : d.shape) w.Key(nullptr), w.out += std::to_string(n);
        w.CloseArray();
        Values(w, d.values);
        Attributes(w, d.attributes);
        w.CloseObject();
    }
    w.CloseArray();
    w.CloseObject();
}

}  // namespace

std::string FileTreeJson(const TreeGroup& root)
{
    JsonWriter w;
    Group(w, root);
    return w.out;
}
