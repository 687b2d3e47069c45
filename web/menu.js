// The Options menu, built from the core's table of its items (their texts,
// and the command ids of those the core carries out), chosen by a click, or
// by Alt+O and the underlined letters as on the desktop. Items without a
// command (the lessons') are wired by their name (data-name).
import { menuText, names, onTexts } from './names.js';

// The items that run a command.
function buildItems(menu) {
    const items = [];
    for (const m of names.menus.options) {
        const item = document.createElement('button');
        item.type = 'button';
        item.setAttribute('role', 'menuitem');
        item.dataset.name = m.name;
        menuText(item, m.text);
        if (m.command) {
            item.dataset.command = String(m.command);
            items.push(item);
        }
        menu.append(item);
    }
    return items;
}

function attachKeys(menu, button, items, open, close) {
    document.addEventListener('pointerdown', (e) => {
        if (!menu.hidden && !menu.contains(e.target) && e.target !== button) close();
    });
    document.addEventListener('keydown', (e) => {
        if (e.altKey && (e.key === 'o' || e.key === 'O')) {
            e.preventDefault();
            open();
        } else if (!menu.hidden && e.key === 'Escape') {
            close();
            document.getElementById('canvas').focus();
        } else if (!menu.hidden && e.altKey === false && e.key.length === 1) {
            // The underlined letters choose an item while the menu is open.
            const item = [...menu.querySelectorAll('button')].find((i) => !i.disabled
                && i.querySelector('u')?.textContent.toLowerCase() === e.key.toLowerCase());
            if (item) item.click();
        }
    });
}

// Opens or closes a menu under its button. While one is open the rest of
// the page waits (inert), as behind a desktop's menu: a tap elsewhere only
// closes it, and no control it covers is left as a sliver to hit.
export function showMenu(button, menu, open) {
    menu.hidden = !open;
    button.setAttribute('aria-expanded', String(open));
    // A list opened inside it (the languages) closes with it.
    for (const list of menu.querySelectorAll('[aria-expanded="true"] + [role="group"]')) {
        list.hidden = true;
        list.previousElementSibling.setAttribute('aria-expanded', 'false');
    }
    const keep = button.closest('.menu');
    for (const e of document.querySelectorAll('#bar > *, #menubar > .menu, #workspace')) if (!e.contains(keep)) e.inert = open;
}

// The Options menu closed by one of its items that the page carries out.
export const closeOptions = () => showMenu(document.getElementById('options-button'), document.getElementById('options-menu'), false);

// run: carries out a command id.
export function buildMenu(run) {
    const button = document.getElementById('options-button');
    const menu = document.getElementById('options-menu');
    const items = buildItems(menu);
    // A new language: each item's text by its name in the table.
    onTexts(() => {
        for (const m of names.menus.options) menuText(menu.querySelector(`[data-name="${m.name}"]`), m.text);
        menuText(button, names.texts.options);
    });
    const open = () => {
        showMenu(button, menu, true);
        const first = items.find((i) => !i.disabled);
        if (first) first.focus();
    };
    const close = closeOptions;
    for (const item of items) {
        const command = Number(item.dataset.command);
        item.addEventListener('click', () => { close(); run(command); });
    }
    button.addEventListener('click', () => (menu.hidden ? open() : close()));
    attachKeys(menu, button, items, open, close);
}
