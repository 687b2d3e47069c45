#pragma once
// A hierarchical data file (HDF5) as a plain tree: groups and datasets, each
// with attributes. The core describes the whole file; a writer walks the
// tree and creates what it finds, knowing nothing of what the names mean:
// the desktop's through HDF5's C library, the page's through its WebAssembly
// build, from the JSON FileTreeJson gives. So both editions write one file.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// An attribute holds a text, a list of texts, a reference to another
// object of the file, named by its path from the root ("/units/spike_times"),
// or one 32-bit whole number.
enum TreeAttributeKind : int32_t { TreeText, TreeTextList, TreeReference, TreeInt32 };

struct TreeAttribute {
    std::string name;
    TreeAttributeKind kind = TreeText;
    std::vector<std::string> texts;  // one for a text or a reference
    int32_t number = 0;              // of a TreeInt32
};

// A dataset's element type is the alternative its values hold, in this
// order: float64, int64, uint64, int8, UTF-8 text of any length.
enum TreeElement : int32_t { TreeFloat64, TreeInt64, TreeUint64, TreeInt8, TreeUtf8 };
using TreeValues = std::variant<std::vector<double>, std::vector<int64_t>, std::vector<uint64_t>,
                                std::vector<int8_t>, std::vector<std::string>>;

struct TreeDataset {
    std::string name;
    TreeValues values;             // row-major, as many as the shape holds
    std::vector<uint64_t> shape;   // each dimension's length; none: a scalar
    std::vector<TreeAttribute> attributes;
};

struct TreeGroup {
    std::string name;              // empty for the root
    std::vector<TreeAttribute> attributes;
    std::vector<TreeGroup> groups;
    std::vector<TreeDataset> datasets;
};

inline TreeElement ElementOf(const TreeDataset& d) { return static_cast<TreeElement>(d.values.index()); }
// How many values the shape holds (one for a scalar).
uint64_t ShapeCount(const std::vector<uint64_t>& shape);
// How many values the dataset holds.
uint64_t ValueCount(const TreeDataset& d);
// The name a writer reads the element type by: "float64", "int64", "uint64", "int8", "text".
const char* ElementName(TreeElement e);

TreeAttribute TextAttribute(const std::string& name, const std::string& text);
TreeAttribute TextListAttribute(const std::string& name, const std::vector<std::string>& texts);
TreeAttribute ReferenceAttribute(const std::string& name, const std::string& path);
TreeAttribute Int32Attribute(const std::string& name, int32_t number);
// A vector of values, or a scalar.
TreeDataset VectorDataset(const std::string& name, TreeValues values);
TreeDataset ScalarText(const std::string& name, const std::string& text);

// {"name":n,"attributes":[...],"groups":[...],"datasets":[...]} with each
// attribute {"name":n,"text":t} | {"name":n,"texts":[...]} | {"name":n,"reference":path}
// | {"name":n,"int32":v}
// and each dataset {"name":n,"type":"float64",...,"shape":[...],"values":[...],"attributes":[...]}.
// JSON has no NaN: a number that is not finite goes as null, and the page
// reads null back as NaN.
std::string FileTreeJson(const TreeGroup& root);
