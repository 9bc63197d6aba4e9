// How two persons of the family are related, found over the family's persons
// the page holds, in the words of stirpa --relate: through the nearest common
// ancestors (a couple counted once, one parent shared alone a half
// relationship), a marriage, or a marriage to a relative.

Stirpa.relationship = (function () {
const Kind = { Blood: 0, Spouses: 1, SpouseOfRelative: 2, RelativeOfSpouse: 3 };

// Arrays over the family for each side of a search, made once: a search marks
// the persons it reaches with a number of its own instead of clearing them.
const scratch = new WeakMap();
function sideArrays(family, which) {
  if (!scratch.has(family)) {
    const n = family.count;
    scratch.set(family, [0, 1].map(() => ({
      mark: new Int32Array(n), generations: new Int32Array(n), below: new Int32Array(n), search: 0,
    })));
  }
  const arrays = scratch.get(family)[which];
  ++arrays.search;
  return arrays;
}

// Every ancestor of the persons, themselves included, at its fewest generations
// (and the child it was reached from): breadth first, so that a family that
// loops ends too. Side 0 or 1: the two of a search, whose arrays are reused.
class Side {
  constructor(family, persons, which) {
    const arrays = sideArrays(family, which), search = arrays.search;
    this.mark = arrays.mark;
    this.search = search;
    this.generations = arrays.generations;
    this.below = arrays.below;
    this.reached = [];
    const reach = (person, generations, child) => {
      if (person < 0 || this.mark[person] === search) return;
      this.mark[person] = search;
      this.generations[person] = generations;
      this.below[person] = child;
      this.reached.push(person);
    };
    for (const person of persons) reach(person, 0, -1);
    for (let next = 0; next < this.reached.length; ++next) {
      const child = this.reached[next], generations = this.generations[child] + 1;
      reach(family.father[child], generations, child);
      reach(family.mother[child], generations, child);
    }
  }

  has(person) { return this.mark[person] === this.search; }
  get size() { return this.reached.length; }
}

// The persons from the side up to the ancestor, the ancestor last.
function lineUp(side, ancestor) {
  const line = [];
  for (let person = ancestor; person >= 0; person = side.below[person]) line.push(person);
  return line.reverse();
}

// Of the persons, the one the side reaches in the fewest generations, or -1.
function nearestOf(side, persons) {
  let nearest = -1;
  for (const person of persons) {
    if (side.has(person) && (nearest < 0 || side.generations[person] < side.generations[nearest])) nearest = person;
  }
  return nearest;
}

function relationThrough(a, b, ancestor, half, couple) {
  let top = [ancestor], line;
  if (couple) {
    top = [couple.husband, couple.wife];
    line = lineUp(a, nearestOf(a, couple.children)).concat(top, lineUp(b, nearestOf(b, couple.children)).reverse());
  } else {
    line = lineUp(a, ancestor).concat(lineUp(b, ancestor).reverse().slice(1));
  }
  const apex = line.indexOf(top[0]);
  return { kind: Kind.Blood, up: apex, down: line.length - apex - top.length, half, ancestors: top, inLaw: -1, line };
}

// The relationships between the two sides through their nearest common ancestors.
function bloodRelations(family, sideA, sideB) {
  const a = new Side(family, sideA, 0), b = new Side(family, sideB, 1);
  const common = (person) => a.has(person) && b.has(person);
  const isNearest = (person) => !family.anyChild(person, common);
  const nearest = (a.size <= b.size ? a : b).reached.filter((p) => common(p) && isNearest(p)).sort((x, y) => x - y);
  const isNearestAncestor = new Set(nearest);
  // A couple of the ancestor with a child on each side: then the two are shared, not the one.
  const sharedCouple = (ancestor) => {
    const couples = new Map();
    for (const child of family.childrenOf(ancestor)) {
      const key = family.father[child] + ',' + family.mother[child];
      if (!couples.has(key)) couples.set(key, { husband: family.father[child], wife: family.mother[child], children: [] });
      couples.get(key).children.push(child);
    }
    for (const couple of couples.values()) {
      if (couple.children.some((c) => a.has(c)) && couple.children.some((c) => b.has(c))) return couple;
    }
    return null;
  };
  const relations = [], paired = new Set();
  for (const ancestor of nearest) {
    if (paired.has(ancestor)) continue;
    const directLine = a.generations[ancestor] === 0 || b.generations[ancestor] === 0;
    const couple = directLine ? null : sharedCouple(ancestor);
    if (!couple) {
      relations.push(relationThrough(a, b, ancestor, !directLine, null));
      continue;
    }
    const partner = couple.husband === ancestor ? couple.wife : couple.husband;
    if (partner >= 0 && isNearestAncestor.has(partner)) {
      paired.add(partner);
      relations.push(relationThrough(a, b, ancestor, false, couple));
    } else {
      relations.push(relationThrough(a, b, ancestor, false, null));
    }
  }
  return relations;
}

function spousesOf(family, person) {
  return [...new Set(family.spouses(person))].filter((spouse) => spouse !== person);
}

// Every relationship of A to B, nearest first; empty when none, or A is B.
function relationshipsOf(family, a, b) {
  if (a === b || a < 0 || b < 0) return [];
  const relations = bloodRelations(family, [a], [b]);
  const spousesOfA = spousesOf(family, a);
  if (spousesOfA.includes(b)) relations.push({ kind: Kind.Spouses, up: 0, down: 0, half: false, ancestors: [], inLaw: -1, line: [a, b] });
  if (relations.length === 0) {
    if (spousesOfA.length) {
      for (const r of bloodRelations(family, spousesOfA, [b])) {
        relations.push({ ...r, kind: Kind.SpouseOfRelative, inLaw: r.line[0], line: [a].concat(r.line) });
      }
    }
    const spousesOfB = spousesOf(family, b);
    if (spousesOfB.length) {
      for (const r of bloodRelations(family, [a], spousesOfB)) {
        relations.push({ ...r, kind: Kind.RelativeOfSpouse, inLaw: r.line[r.line.length - 1], line: r.line.concat([b]) });
      }
    }
  }
  return relations.sort((x, y) => x.line.length - y.line.length); // stable: nearest first
}

// The words

function bySex(sex, male, female, unknown) { return sex === 'M' ? male : sex === 'F' ? female : unknown; }

function ordinalNumber(n) {
  const lastTwo = n % 100, last = n % 10;
  return n + (lastTwo >= 11 && lastTwo <= 13 ? 'th' : last === 1 ? 'st' : last === 2 ? 'nd' : last === 3 ? 'rd' : 'th');
}

// great-, great-great-, then 3rd great-.
function greats(count) {
  if (count <= 0) return '';
  if (count <= 2) return count === 1 ? 'great-' : 'great-great-';
  return ordinalNumber(count) + ' great-';
}

const DEGREES = ['first', 'second', 'third', 'fourth', 'fifth', 'sixth', 'seventh', 'eighth', 'ninth', 'tenth'];
function cousinDegree(degree) { return degree <= DEGREES.length ? DEGREES[degree - 1] : ordinalNumber(degree); }

function removal(removed) {
  return removed <= 3 ? ['', ' once removed', ' twice removed', ' three times removed'][removed] : ' ' + removed + ' times removed';
}

// The term for A, by the generations up from A and down to B.
function relationTerm(up, down, half, sex) {
  if (up === 0) return (down >= 2 ? greats(down - 2) + 'grand' : '') + bySex(sex, 'father', 'mother', 'parent');
  if (down === 0) return (up >= 2 ? greats(up - 2) + 'grand' : '') + bySex(sex, 'son', 'daughter', 'child');
  const halfMark = half ? 'half-' : '';
  if (up === 1 && down === 1) return halfMark + bySex(sex, 'brother', 'sister', 'sibling');
  if (up === 1 || down === 1) {
    const prefix = halfMark + greats((up === 1 ? down : up) - 2);
    const male = up === 1 ? 'uncle' : 'nephew', female = up === 1 ? 'aunt' : 'niece';
    if (sex === 'M' || sex === 'F') return prefix + (sex === 'M' ? male : female);
    return prefix + male + ' or ' + prefix + female;
  }
  return (half ? 'half ' : '') + cousinDegree(Math.min(up, down) - 1) + ' cousin' + removal(Math.abs(up - down));
}

// "A is the grandmother of B", "A is the husband of a granddaughter of B".
function relationshipSentence(r, sexA, sexInLaw, nameA, nameB) {
  const term = (sex) => relationTerm(r.up, r.down, r.half, sex);
  const spouse = (sex) => bySex(sex, 'husband', 'wife', 'spouse');
  let what;
  if (r.kind === Kind.Blood) {
    what = term(sexA);
  } else if (r.kind === Kind.Spouses) {
    what = spouse(sexA);
  } else if (r.kind === Kind.SpouseOfRelative) {
    const relative = term(sexInLaw);
    const onlyOne = r.up === 0 && r.down === 1 && (sexInLaw === 'M' || sexInLaw === 'F');
    const vowel = /^[aeiou8]/.test(relative) || relative.startsWith('11') || relative.startsWith('18');
    what = spouse(sexA) + ' of ' + (onlyOne ? 'the ' : vowel ? 'an ' : 'a ') + relative;
  } else {
    what = term(sexA) + ' of the ' + spouse(sexInLaw);
  }
  return nameA + ' is the ' + what + ' of ' + nameB;
}

function notRelatedSentence(nameA, nameB) { return nameA + ' is not related to ' + nameB; }

// The sentences of A to B as stirpa --relate writes them, one for each relationship.
function describeRelations(family, a, b) {
  const nameA = family.names[a], nameB = family.names[b];
  const relations = relationshipsOf(family, a, b);
  if (relations.length === 0) return { relations, sentences: [notRelatedSentence(nameA, nameB)] };
  return {
    relations,
    sentences: relations.map((r) => relationshipSentence(r, family.sexes[a], r.inLaw >= 0 ? family.sexes[r.inLaw] : 'U', nameA, nameB)),
  };
}

return { relationshipsOf, relationTerm, describeRelations, Kind };
})();
