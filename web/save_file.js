// Hands the browser a file to save under name: the page has no file system
// of its own, so every download (recordings, tuning curves, lessons) goes here.
export function saveFile(name, blob) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    a.click();
    // Revoked a moment later: the download starts from the address after the click.
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}
