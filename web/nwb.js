// The recording as an NWB 2.6 file, written by HDF5 itself in its
// WebAssembly build. The page imports this module on the first NWB export
// only: HDF5 is five times the size of the rest of the page. The core
// describes the whole file as a tree of groups and datasets (JSON from
// tess_record_nwb, formats/file_tree.h); this writer creates what it finds
// and knows no name of its own, as the desktop's, so both files are alike.
import * as h5wasm from './h5wasm/hdf5_hl.js';

// Each element type: HDF5's name for it, and the values as its array.
// JSON has no NaN: a number that is not finite comes as null, read as NaN.
const ELEMENTS = {
    float64: ['<d', (v) => Float64Array.from(v, (x) => (x === null ? NaN : x))],
    int64: ['<q', (v) => BigInt64Array.from(v, BigInt)],
    uint64: ['<Q', (v) => BigUint64Array.from(v, BigInt)],
    int8: ['<b', (v) => Int8Array.from(v)],
    text: ['S', (v) => v],  // UTF-8 of any length, even when there are none
};

// A reference waits until every object exists: its target may come later.
function attributes(object, list, references) {
    for (const a of list) {
        if (a.reference !== undefined) references.push([object, a]);
        else if (a.texts !== undefined) object.create_attribute(a.name, a.texts, [a.texts.length], 'S');
        else if (a.int32 !== undefined) object.create_attribute(a.name, a.int32, [], '<i');
        else object.create_attribute(a.name, [a.text], [], 'S');
    }
}

function group(g, node, references) {
    attributes(g, node.attributes, references);
    for (const d of node.datasets) {
        const [dtype, array] = ELEMENTS[d.type];
        const set = g.create_dataset({ name: d.name, data: array(d.values), shape: d.shape, dtype });
        attributes(set, d.attributes, references);
    }
    for (const child of node.groups) group(g.create_group(child.name), child, references);
}

let files = 0;

// A file tree's bytes as HDF5.
export function treeBytes(tree) {
    const name = `export-${++files}.h5`;
    const f = new h5wasm.File(name, 'w');
    try {
        const references = [];
        group(f, tree, references);
        for (const [object, a] of references) object.create_attribute(a.name, f.get(a.reference).create_reference());
    } finally {
        f.close();
    }
    const bytes = h5wasm.FS.readFile(name);
    h5wasm.FS.unlink(name);
    return bytes;
}

// The whole NWB file's bytes, from the recording as the core holds it now.
export async function nwbBytes(M) {
    await h5wasm.ready;
    return treeBytes(JSON.parse(M.UTF8ToString(M._tess_record_nwb())));
}
