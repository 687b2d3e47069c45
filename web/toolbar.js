// The toolbar's eleven buttons, laid out from the core's table with the
// desktop's pictures and tooltips.
import { names, onTexts } from './names.js';

export function buildToolbar(element, module, onCommand) {
    const M = module;
    const count = M._tess_toolbar_items();
    for (let i = 0; i < count; i++) {
        const command = M._tess_toolbar_command(i);
        if (command === 0) {
            const gap = document.createElement('span');
            gap.className = 'gap';
            gap.style.width = `${M._tess_toolbar_gap(i)}px`;
            element.appendChild(gap);
            continue;
        }
        const button = document.createElement('button');
        button.type = 'button';
        button.dataset.command = String(command);
        // A click leaves the keyboard with the canvas, as on the desktop;
        // Tab still reaches every button.
        button.addEventListener('mousedown', (e) => e.preventDefault());
        const picture = document.createElement('img');
        picture.src = `icons/${M.UTF8ToString(M._tess_toolbar_picture(i))}`;
        picture.alt = '';
        button.appendChild(picture);
        button.addEventListener('click', () => onCommand(command));
        element.appendChild(button);
    }
    // The tooltips, and the names (without the blank that ends the
    // annulus's tooltip), again after a new language.
    const fill = () => {
        for (const button of element.querySelectorAll('button[data-command]')) {
            button.title = names.tooltips[button.dataset.command];
            button.setAttribute('aria-label', button.title.trim());
        }
    };
    fill();
    onTexts(fill);
}
