// The Options menu: its items' commands are the core's ids by name (the
// page's markup names them in data-command-name), chosen by a click, or by
// Alt+O and the underlined letters as on the desktop.
import { names } from './names.js';

function itemsOf(menu) {
    const items = [...menu.querySelectorAll('[data-command-name]')];
    for (const item of items) item.dataset.command = String(names.commands[item.dataset.commandName]);
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
            const item = items.find((i) => !i.disabled && i.querySelector('u').textContent.toLowerCase() === e.key.toLowerCase());
            if (item) item.click();
        }
    });
}

// run: carries out a command id.
export function buildMenu(run) {
    const button = document.getElementById('options-button');
    const menu = document.getElementById('options-menu');
    const items = itemsOf(menu);
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
