// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// dom_accessibility.mjs: what a page exposes to assistive technology, read from its DOM where a driver offers no
// accessibility tree: roles, names, descriptions, disabled and hidden states, as ARIA defines them for this page's
// kinds of element.

// Runs in the page; returns [{ role, name, description, disabled, value }] for every button, list item, text box
// and status region exposed to assistive technology. A driver whose engine can list the exposed list items passes
// engineItems = true and those items' elements: then they, not the DOM's hidden states, decide which items are in.
export function domAccessibleNodes(engineItems = false, ...items) {
  const textOf = (ids) =>
    (ids || '')
      .split(/\s+/)
      .map((id) => document.getElementById(id)?.textContent.trim() ?? '')
      .filter(Boolean)
      .join(' ');
  const roleOf = (element) => {
    const role = element.getAttribute('role');
    if (role) return role.split(/\s+/)[0];
    if (element.localName === 'button') return 'button';
        const type = element.getAttribute('type') ?? '';
    if (element.localName === 'input' && ['text', 'search', ''].includes(type)) return 'textbox';
    return null;
  };
  const exposed = (element, role) => {
    if (engineItems && role === 'listitem') return items.includes(element);
    if (!element.checkVisibility({ visibilityProperty: true })) return false;
    for (let up = element; up; up = up.parentElement) if (up.getAttribute('aria-hidden') === 'true') return false;
    return true;
  };
  const nodes = [];
  for (const element of document.querySelectorAll('[role], button, input')) {
    const role = roleOf(element);
    if (!['button', 'listitem', 'textbox', 'status'].includes(role) || !exposed(element, role)) continue;
    const labelledBy = element.getAttribute('aria-labelledby');
    let name = labelledBy ? textOf(labelledBy) : (element.getAttribute('aria-label') ?? '');
    if (!name && role === 'button') name = element.textContent.trim();
    const describedBy = element.getAttribute('aria-describedby');
    nodes.push({
      role,
      name: name.trim(),
      description: describedBy ? textOf(describedBy) : (element.getAttribute('aria-description') ?? ''),
      disabled: element.disabled === true || element.getAttribute('aria-disabled') === 'true',
      value: role === 'textbox' ? element.value : '',
    });
  }
  return nodes;
}
