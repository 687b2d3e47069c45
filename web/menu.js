// The Options menu, built from the core's table of its items (their texts,
// and the command ids of those the core carries out), chosen by a click, or
// by Alt+O and the underlined letters as on the desktop. Items without a
// command (the lessons') are wired by their name (data-name).
import { menuText, names } from './names.js';

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

// run: carries out a command id.
export function buildMenu(run) {
    const button = document.getElementById('options-button');
    const menu = document.getElementById('options-menu');
    const items = buildItems(menu);
    const open = () => {
        menu.hidden = false;
        button.setAttribute('aria-expanded', 'true');
        const first = items.find((i) => !i.disabled);
        if (first) first.focus();
    };
    const close = () => {
        menu.hidden = true;
        button.setAttribute('aria-expanded', 'false');
    };
    for (const item of items) {
        const command = Number(item.dataset.command);
        item.addEventListener('click', () => { close(); run(command); });
    }
    button.addEventListener('click', () => (menu.hidden ? open() : close()));
    attachKeys(menu, button, items, open, close);
}
