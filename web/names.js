// The ids and texts the page shares with the core, read once from the
// binding (tess_names) before anything uses them: the menu's command ids,
// the cursor, help and feedback ids, the dialog actions' numbers and the
// dialogs' texts. The page writes none of them itself.
export const names = { commands: {}, ids: {}, dialogActions: {}, labels: {}, sweepDefaults: [] };

export function readNames(M) {
    const read = JSON.parse(M.UTF8ToString(M._tess_names()));
    // Filled in place: a module may keep a reference to a part from its start.
    for (const part of Object.keys(names)) Object.assign(names[part], read[part]);
}
