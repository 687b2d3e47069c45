// The recording as an NWB 2.6 file, written by HDF5 itself in its
// WebAssembly build. The page imports this module on the first NWB export
// only: HDF5 is five times the size of the rest of the page. The tables
// come from the core, as the desktop's do, so both files hold the same.
import * as h5wasm from './h5wasm/hdf5_hl.js';

// Every typed object names its namespace and type and has its own id.
function typed(M, object, namespace, type) {
    object.create_attribute('namespace', namespace);
    object.create_attribute('neurodata_type', type);
    object.create_attribute('object_id', M.UTF8ToString(M._tess_new_uuid()));
}

// Texts as variable-length UTF-8, even when there are none.
function column(M, parent, name, data, description, type = 'VectorData', text = false) {
    const set = parent.create_dataset({ name, data, shape: [data.length], dtype: text ? 'S' : undefined });
    typed(M, set, 'hdmf-common', type);
    if (description) set.create_attribute('description', description);
    return set;
}

const ids = (n) => BigInt64Array.from({ length: n }, (_, i) => BigInt(i));
// JSON has no NaN: the core sends a press's condition as null.
const numbers = (values) => Float64Array.from(values, (v) => (v === null ? NaN : v));

function root(M, f, c) {
    typed(M, f, 'core', 'NWBFile');
    f.create_attribute('nwb_version', c.version);
    f.create_dataset({ name: 'file_create_date', data: [c.now] });
    for (const name of ['identifier', 'session_description']) f.create_dataset({ name, data: name === 'identifier' ? c.identifier : c.session });
    for (const name of ['session_start_time', 'timestamps_reference_time']) f.create_dataset({ name, data: c.now });
    for (const name of ['acquisition', 'analysis', 'processing', 'general', 'stimulus', 'stimulus/presentation', 'stimulus/templates']) {
        f.create_group(name);
    }
}

function units(M, f, c) {
    const g = f.create_group('units');
    typed(M, g, 'core', 'Units');
    g.create_attribute('colnames', ['spike_times']);
    g.create_attribute('description', c.units);
    column(M, g, 'id', ids(1), '', 'ElementIdentifiers');
    const times = column(M, g, 'spike_times', numbers(c.spikes), c.spikesDescription);
    // One unit: its spikes end at the last.
    const index = column(M, g, 'spike_times_index', BigUint64Array.of(BigInt(c.spikes.length)), 'index into spike_times', 'VectorIndex');
    index.create_attribute('target', times.create_reference());
}

function trials(M, f, c) {
    const g = f.create_group('intervals').create_group('trials');
    typed(M, g, 'core', 'TimeIntervals');
    g.create_attribute('description', c.trialsDescription);
    g.create_attribute('colnames', c.trials.map((t) => t.name));
    column(M, g, 'id', ids(c.trials[0].values.length), '', 'ElementIdentifiers');
    for (const t of c.trials) column(M, g, t.name, t.text ? t.values : numbers(t.values), t.description, 'VectorData', t.text);
}

// The whole file's bytes, from the recording as the core holds it now.
export async function nwbBytes(M) {
    await h5wasm.ready;
    const c = JSON.parse(M.UTF8ToString(M._tess_record_nwb()));
    const name = `${c.identifier}.nwb`;
    const f = new h5wasm.File(name, 'w');
    try {
        root(M, f, c);
        units(M, f, c);
        trials(M, f, c);
    } finally {
        f.close();
    }
    const bytes = h5wasm.FS.readFile(name);
    h5wasm.FS.unlink(name);
    return bytes;
}
