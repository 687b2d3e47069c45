// The page in the student's language. The site's lang/ holds the list of
// languages (languages.json: code, own name, direction) and one catalog a
// language; the core puts a catalog in force (tess_use_catalog) and every
// text binding answers in it from then on. At start the language is the
// one chosen before (kept in localStorage), else the best match of the
// browser's languages, else English; ?lang=<code> in the address forces
// one, and is the only way to the pseudo-language (qps) the checks use.
// A choice from the Options menu's Language list takes effect at once: the
// page's modules fill their texts again from the new names (refillTexts).
import { menuText, names, refillTexts } from './names.js';

const KEPT = 'tessaline.language';
let M = null, listing = [], forced = false;

// The list of languages, fetched while the core loads; none (English only)
// where it cannot be had, as from a file: address.
export const languageList = () => fetch('lang/languages.json').then((r) => (r.ok ? r.json() : [])).catch(() => []);

function kept() {
    try { return localStorage.getItem(KEPT); } catch { return null; }
}

// A JavaScript string into the module's memory as UTF-8, for one call:
// a catalog is larger than the stack a string argument is copied to.
function withText(text, call) {
    const bytes = new TextEncoder().encode(text);
    const at = M._malloc(bytes.length + 1);
    try {
        M.HEAPU8.set(bytes, at);
        M.HEAPU8[at + bytes.length] = 0;
        return call(at);
    } finally {
        M._free(at);
    }
}

// A catalog's text (empty: English) in force, and the page's language and
// direction with it. The page mirrors for a right-to-left language; the
// field, its information line and the plots do not (tessaline.css).
function apply(text) {
    const info = JSON.parse(M.UTF8ToString(withText(text, (at) => M._tess_use_catalog(at))));
    if (!info.ok) console.warn('catalog refused:', info.error);
    document.documentElement.lang = info.code;
    document.documentElement.dir = info.direction;
    document.getElementById('readout').lang = info.code;
    Language.current = info;
    return info;
}

const fetchCatalog = (code) => (code === 'en' ? Promise.resolve('')
    : fetch(`lang/${code}.json`).then((r) => (r.ok ? r.text() : Promise.reject(new Error(`lang/${code}.json: ${r.status}`)))));

// The language the page starts in, put in force before anything shows a text.
async function start(module, list) {
    M = module;
    listing = Array.isArray(list) ? list : [];
    const codes = listing.map((l) => l.code);
    const asked = new URLSearchParams(location.search).get('lang');
    forced = asked !== null && (asked === 'qps' || asked === 'en' || codes.includes(asked));
    const own = kept();
    const joined = (tags) => tags.join('\n');
    const code = forced ? asked : codes.includes(own) ? own
        : M.ccall('tess_match_language', 'string', ['string', 'string'], [joined(navigator.languages || []), joined(codes)]);
    try {
        apply(await fetchCatalog(code));
    } catch (failure) {
        console.warn('no catalog, English instead:', failure);
        apply('');
    }
}

// A language chosen on the page: in force at once, every text filled
// again, and kept for the next visit.
async function choose(code) {
    apply(await fetchCatalog(code));
    try { localStorage.setItem(KEPT, Language.current.code); } catch { /* a private window keeps nothing */ }
    refillTexts();
    return Language.current;
}

// The Options menu's Language item and the list it opens, each language by
// its own name, before Exit. close: closes the Options menu.
function buildMenu(close) {
    const menu = document.getElementById('options-menu');
    const item = document.createElement('button');
    Object.assign(item, { type: 'button', id: 'language-item' });
    item.setAttribute('role', 'menuitem');
    item.setAttribute('aria-haspopup', 'true');
    item.setAttribute('aria-expanded', 'false');
    const group = document.createElement('div');
    Object.assign(group, { id: 'language-list', hidden: true });
    group.setAttribute('role', 'group');
    const entries = listing.some((l) => l.code === 'en') ? listing : [{ code: 'en', name: 'English', direction: 'ltr' }, ...listing];
    for (const l of entries) {
        // The name in its own language and direction, lined up with the menu.
        const choice = document.createElement('button');
        choice.type = 'button';
        choice.append(Object.assign(document.createElement('span'), { lang: l.code, dir: l.direction, textContent: l.name }));
        choice.dataset.language = l.code;
        choice.setAttribute('role', 'menuitemradio');
        choice.addEventListener('click', () => { close(); choose(l.code).catch((e) => console.warn(e)); });
        group.append(choice);
    }
    item.addEventListener('click', () => {
        group.hidden = !group.hidden;
        item.setAttribute('aria-expanded', String(!group.hidden));
        if (!group.hidden) group.querySelector(`[data-language="${Language.current.code}"]`)?.focus();
    });
    const exit = menu.querySelector('[data-name="exit"]');
    menu.insertBefore(item, exit);
    menu.insertBefore(group, exit);
    const fill = () => {
        menuText(item, names.texts.language);
        for (const c of group.children) c.setAttribute('aria-checked', String(c.dataset.language === Language.current.code));
    };
    fill();
    return fill;
}

// A number in a panel's field with the catalog's decimal mark, and a typed
// one read with either mark (the fields hold no thousands).
export const localNumber = (v) => (Number.isFinite(v) ? String(v).replace('.', Language.current.decimal) : '');
export function readNumber(text) {
    const t = text.trim().replace(Language.current.decimal, '.').replace(',', '.');
    return t === '' ? NaN : Number(t);
}

export const Language = { current: { code: 'en', direction: 'ltr', decimal: '.' }, start, choose, buildMenu, list: () => listing };
