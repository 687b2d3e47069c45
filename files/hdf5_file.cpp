#include "files/hdf5_file.h"

#include <hdf5.h>

#include <cstdio>
#include <vector>

namespace {

// One HDF5 handle, closed with its own function when it goes.
class Handle {
public:
    Handle(hid_t id, herr_t (*close)(hid_t)) : id_(id), close_(close) {}
    ~Handle() { if (id_ >= 0) close_(id_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    operator hid_t() const { return id_; }
    bool ok() const { return id_ >= 0; }
private:
    hid_t id_;
    herr_t (*close_)(hid_t);
};

// A reference is made once every object exists: its target may come later.
struct PendingReference {
    std::string object, name, target;
};

struct Writer {
    hid_t file = -1;
    bool ok = true;
    std::vector<PendingReference> references;
};

void Check(Writer& w, bool good) { w.ok = w.ok && good; }

// Texts of any length in UTF-8, padded as the page's HDF5 pads them (with
// spaces, which a text of any length never needs), so both files are alike.
hid_t TextType()
{
    const hid_t t = H5Tcopy(H5T_FORTRAN_S1);
    H5Tset_size(t, H5T_VARIABLE);
    H5Tset_cset(t, H5T_CSET_UTF8);
    return t;
}

hid_t Space(const std::vector<uint64_t>& shape)
{
    if (shape.empty()) return H5Screate(H5S_SCALAR);
    const std::vector<hsize_t> dims(shape.begin(), shape.end());
    return H5Screate_simple(static_cast<int>(dims.size()), dims.data(), nullptr);
}

std::vector<const char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<const char*> pointers;
    for (const std::string& t : texts) pointers.push_back(t.c_str());
    return pointers;
}

void Attributes(Writer& w, hid_t object, const std::string& path, const std::vector<TreeAttribute>& attributes)
{
    for (const TreeAttribute& a : attributes) {
        if (a.kind == TreeReference) {
            w.references.push_back({path.empty() ? "/" : path, a.name, a.texts.front()});
            continue;
        }
        if (a.kind == TreeInt32) {
            Handle space(H5Screate(H5S_SCALAR), H5Sclose);
            Handle attr(H5Acreate2(object, a.name.c_str(), H5T_STD_I32LE, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
            Check(w, attr.ok() && H5Awrite(attr, H5T_NATIVE_INT32, &a.number) >= 0);
            continue;
        }
        const std::vector<const char*> texts = Pointers(a.texts);
        Handle type(TextType(), H5Tclose);
        Handle space(a.kind == TreeText ? H5Screate(H5S_SCALAR) : Space({a.texts.size()}), H5Sclose);
        Handle attr(H5Acreate2(object, a.name.c_str(), type, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
        Check(w, attr.ok() && (texts.empty() || H5Awrite(attr, type, texts.data()) >= 0));
    }
}

void Dataset(Writer& w, hid_t parent, const std::string& path, const TreeDataset& d)
{
    static const hid_t fileTypes[] = {H5T_IEEE_F64LE, H5T_STD_I64LE, H5T_STD_U64LE, H5T_STD_I8LE};
    static const hid_t memoryTypes[] = {H5T_NATIVE_DOUBLE, H5T_NATIVE_INT64, H5T_NATIVE_UINT64, H5T_NATIVE_INT8};
    const TreeElement element = ElementOf(d);
    Handle text(TextType(), H5Tclose);
    const hid_t fileType = element == TreeUtf8 ? hid_t(text) : fileTypes[element];
    const hid_t memoryType = element == TreeUtf8 ? hid_t(text) : memoryTypes[element];
    const uint64_t count = ValueCount(d);
    if (count != ShapeCount(d.shape)) return Check(w, false);
    std::vector<const char*> texts;
    const void* data = nullptr;
    if (element == TreeUtf8) texts = Pointers(std::get<TreeUtf8>(d.values)), data = texts.data();
    else std::visit([&](const auto& v) { data = v.data(); }, d.values);
    Handle space(Space(d.shape), H5Sclose);
    Handle set(H5Dcreate2(parent, d.name.c_str(), fileType, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), H5Dclose);
    Check(w, set.ok() && (count == 0 || H5Dwrite(set, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, data) >= 0));
    if (set.ok()) Attributes(w, set, path + "/" + d.name, d.attributes);
}

void Group(Writer& w, hid_t group, const std::string& path, const TreeGroup& g)
{
    Attributes(w, group, path, g.attributes);
    for (const TreeDataset& d : g.datasets) Dataset(w, group, path, d);
    for (const TreeGroup& child : g.groups) {
        Handle h(H5Gcreate2(group, child.name.c_str(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), H5Gclose);
        Check(w, h.ok());
        if (h.ok()) Group(w, h, path + "/" + child.name, child);
    }
}

void Reference(Writer& w, const PendingReference& p)
{
    hobj_ref_t ref;
    Check(w, H5Rcreate(&ref, w.file, p.target.c_str(), H5R_OBJECT, -1) >= 0);
    Handle object(H5Oopen(w.file, p.object.c_str(), H5P_DEFAULT), H5Oclose);
    Handle space(H5Screate(H5S_SCALAR), H5Sclose);
    Handle attr(H5Acreate2(object, p.name.c_str(), H5T_STD_REF_OBJ, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
    Check(w, attr.ok() && H5Awrite(attr, H5T_STD_REF_OBJ, &ref) >= 0);
}

}  // namespace

std::string WriteHdf5File(const std::string& path, const TreeGroup& root)
{
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);  // failures are reported by the message below
    const std::string part = path + ".part";
    Writer w;
    {
        Handle file(H5Fcreate(part.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT), H5Fclose);
        if (!file.ok()) return "cannot write " + path;
        w.file = file;
        Group(w, file, "", root);
        for (const PendingReference& p : w.references) Reference(w, p);
        Check(w, H5Fflush(file, H5F_SCOPE_GLOBAL) >= 0);
    }
    if (!w.ok || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        return "cannot write " + path;
    }
    return {};
}
