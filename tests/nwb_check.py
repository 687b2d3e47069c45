#!/usr/bin/python3
"""Checks a recording written as NWB: valid against the core schema in
tests/data/nwb-schema (HDMF's validator), and read back with h5py, the same
spikes and trials as the CSV files of the same recording. Exits 1 on any
problem, printing each.
Usage: nwb_check.py FILE.nwb [SPIKES.csv TRIALS.csv]
       nwb_check.py --rejects FILE.nwb   (the validator must refuse broken copies)
       nwb_check.py --sta FILE.nwb STA.txt  (valid, and the noise map recomputed from the
                                             file's frames and spikes is the program's)
"""
import csv, math, os, shutil, sys, tempfile  # noqa: E401

import numpy as np

import h5py
from hdmf.backends.hdf5 import HDF5IO
from hdmf.build import BuildManager, TypeMap
from hdmf.common import get_type_map
from hdmf.spec import DatasetSpec, GroupSpec, NamespaceCatalog, SpecNamespace
from hdmf.validate import ValidatorMap

SCHEMA = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'data', 'nwb-schema', 'nwb.namespace.yaml')


class _NwbKeys:
    """The schema calls its types neurodata_type where HDMF says data_type."""
    type_key = classmethod(lambda cls: 'neurodata_type')
    inc_key = classmethod(lambda cls: 'neurodata_type_inc')
    def_key = classmethod(lambda cls: 'neurodata_type_def')

    @classmethod
    def build_const_args(cls, spec_dict):
        renamed = {k.replace('neurodata_type_', 'data_type_'): v for k, v in spec_dict.items()}
        return super().build_const_args(renamed)


NwbDatasetSpec = type('NwbDatasetSpec', (_NwbKeys, DatasetSpec), {})


class NwbGroupSpec(_NwbKeys, GroupSpec):
    dataset_spec_cls = classmethod(lambda cls: NwbDatasetSpec)


class NwbNamespace(SpecNamespace):
    types_key = classmethod(lambda cls: 'neurodata_types')


def problems(path):
    catalog = NamespaceCatalog(NwbGroupSpec, NwbDatasetSpec, NwbNamespace)
    type_map = TypeMap(catalog)
    type_map.merge(get_type_map(), ns_catalog=True)
    type_map.load_namespaces(SCHEMA)
    try:
        with HDF5IO(path, mode='r', manager=BuildManager(type_map)) as io:
            return [str(e) for e in ValidatorMap(catalog.get_namespace('core')).validate(io.read_builder())]
    except Exception as e:  # a file HDMF cannot even read is not valid either
        return [f'{path}: unreadable: {e}']


def compare(path, spikes_csv, trials_csv):
    with h5py.File(path, 'r') as f:
        times = list(f['units/spike_times'][()])
        index = list(f['units/spike_times_index'][()])
        trials = f['intervals/trials']
        start, stop, condition = (list(trials[n][()]) for n in ('start_time', 'stop_time', 'condition'))
    with open(spikes_csv, newline='') as s, open(trials_csv, newline='') as t:
        spikes, rows = list(csv.DictReader(s)), list(csv.DictReader(t))
    found = [] if index == [len(times)] else [f'spike_times_index {index} does not end at {len(times)}']
    if [float(r['time_s']) for r in spikes] != times:
        found.append(f'spikes differ: {len(spikes)} in the CSV, {len(times)} in the NWB file')
    if [float(r['start_s']) for r in rows] != start or [float(r['stop_s']) for r in rows] != stop:
        found.append(f'trial times differ: {len(rows)} in the CSV, {len(start)} in the NWB file')
    cond = [float(r['condition']) if r['condition'] else math.nan for r in rows]
    if len(cond) != len(condition) or not all(a == b or (math.isnan(a) and math.isnan(b)) for a, b in zip(cond, map(float, condition))):
        found.append('trial conditions differ')
    return found


def spike_triggered_average(path):
    """The README's recipe: each spike's 20 ms tick, the frame shown lag ticks before it."""
    with h5py.File(path, 'r') as f:
        frames = f['stimulus/presentation/noise/data'][()].astype(float)
        onsets = f['stimulus/presentation/noise/timestamps'][()]
        spikes = f['units/spike_times'][()]
    start = np.rint(onsets[0] * 44100)
    spike_tick = (np.rint(spikes * 44100) - start) // 882
    onset_tick = (np.rint(onsets * 44100) - start) // 882
    spike_tick = spike_tick[spike_tick >= 0]
    sta = []
    for lag in range(21):
        shown = spike_tick - lag
        shown = shown[shown >= 0]
        sta.append(frames[np.searchsorted(onset_tick, shown, side='right') - 1].mean(axis=0).ravel())
    return np.array(sta)


def compare_sta(path, sta_txt):
    with h5py.File(path, 'r') as f:
        onsets, spikes = f['stimulus/presentation/noise/timestamps'][()], f['units/spike_times'][()]
    if not (np.all(np.diff(onsets) > 0) and np.all(np.diff(spikes) >= 0)):
        return ['the frame onsets or the spike times go back']
    ours = np.loadtxt(sta_txt, ndmin=2)
    theirs = spike_triggered_average(path)
    if ours.shape != theirs.shape:
        return [f'the map is {ours.shape}, the file gives {theirs.shape}']
    worst = np.abs(ours - theirs).max()
    return [] if worst < 1e-12 else [f'the map differs from the file\'s by up to {worst}']


def broken_copies(path):
    """Copies the validator must refuse: no identifier; a signed index."""
    with tempfile.TemporaryDirectory() as folder:
        missing, signed = os.path.join(folder, 'missing.nwb'), os.path.join(folder, 'signed.nwb')
        shutil.copy(path, missing)
        with h5py.File(missing, 'r+') as f:
            del f['identifier']
        shutil.copy(path, signed)
        with h5py.File(signed, 'r+') as f:
            old = f['units/spike_times_index']
            attrs, values = dict(old.attrs), old[()].astype('int64')
            del f['units/spike_times_index']
            f['units'].create_dataset('spike_times_index', data=values).attrs.update(attrs)
        return [(name, problems(p)) for name, p in (('missing identifier', missing), ('signed index', signed))]


def main(argv):
    if len(argv) == 4 and argv[1] == '--sta':
        found = problems(argv[2]) or compare_sta(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == '--rejects':
        found = [f'the validator accepted a file with a {name}' for name, p in broken_copies(argv[2]) if not p]
    elif len(argv) in (2, 4):
        found = problems(argv[1]) or (compare(*argv[1:]) if len(argv) == 4 else [])
    else:
        print(__doc__.strip())
        return 2
    for p in found:
        print(p)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
