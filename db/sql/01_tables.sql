-- Tables of the bar. Column order matters: several screens insert without a
-- column list. Codes INTEGER, money NUMERIC(15,2), quantities NUMERIC(15,3),
-- moments TIMESTAMP, times of day TIME, text flags VARCHAR ("N" must stay
-- "N": a CHAR column would come back padded).

create table caixa (
    ncodigo integer not null,
    coperador varchar(60),
    constraint pk_caixa primary key (ncodigo)
);

create table estabelecimento (
    ncodigo integer not null,
    cfantasia varchar(60),
    crazaosocial varchar(60),
    ccidade varchar(60),
    cendereco varchar(60),
    cbairro varchar(40),
    cfone varchar(20),
    ccnpj varchar(20),
    cfax varchar(20),
    cie varchar(20),
    cemail varchar(60),
    ccep varchar(20),
    constraint pk_estabelecimento primary key (ncodigo)
);

create table horario (
    thora1 time,
    thora2 time
);

create table grupo (
    ncodigo integer not null,
    cdescricao varchar(60),
    constraint pk_grupo primary key (ncodigo)
);

create table produto (
    ncodigo integer not null,
    cdescricao varchar(60),
    ngrupo integer,
    nqtde_inicial numeric(15,3) default 0,
    nqtde_atual numeric(15,3) default 0,
    nvalor_compra numeric(15,2) default 0,
    nvalor_venda numeric(15,2) default 0,
    nqtde_minima numeric(15,3) default 0,
    cunidade varchar(40),
    nativo smallint default 1,
    nestoque smallint default 1,
    nvalor_interno numeric(15,2) default 0,
    constraint pk_produto primary key (ncodigo)
);

create table tipo_entrada (
    ncodigo integer not null,
    cnome varchar(60) not null,
    nvalor numeric(15,2) default 0,
    cestacionamento varchar(1) default 'N',
    constraint pk_tipo_entrada primary key (ncodigo),
    constraint uq_tipo_entrada_cnome unique (cnome)
);

create table fornecedor (
    ncodigo integer not null,
    cfantasia varchar(60),
    crazao varchar(60),
    ccnpj varchar(20),
    cie varchar(20),
    ccidade varchar(60),
    ccep varchar(20),
    cfone varchar(20),
    cfax varchar(20),
    cemail varchar(60),
    cendereco varchar(60),
    cbairro varchar(40),
    nfisica_juridica smallint default 0,
    cobs varchar(200),
    ccontato varchar(40),
    constraint pk_fornecedor primary key (ncodigo)
);

create table venda (
    ncodigo integer not null,
    ncaixa_venda integer,
    ddata_venda timestamp,
    cforma_pagamento varchar(30),
    ntotal numeric(15,2) default 0,
    nvalor_pago numeric(15,2) default 0,
    ntroco numeric(15,2) default 0,
    constraint pk_venda primary key (ncodigo)
);

create table item_venda (
    ncodigo integer not null,
    nvenda integer not null,
    nproduto integer not null,
    nqtde numeric(15,3),
    npreco numeric(15,2),
    ntotal numeric(15,2),
    cexcluido varchar(3) default 'Nao',
    ncaixa_exclusao integer,
    ddata_exclusao timestamp,
    cmotivo_exclusao varchar(100),
    nnumero integer,
    cvenda_interna varchar(1) default 'N',
    constraint pk_item_venda primary key (ncodigo)
);

create table entrada (
    ncodigo integer not null,
    ddata_entrada timestamp,
    ntipo_entrada integer,
    ncaixa_entrada integer,
    nvalor numeric(15,2),
    cexcluida varchar(3) default 'Nao',
    ddata_exclusao timestamp,
    ncaixa_exclusao integer,
    cmotivo_exclusao varchar(100),
    cforma_pagamento varchar(30),
    nnumero integer,
    constraint pk_entrada primary key (ncodigo)
);

create table compra (
    ncodigo integer not null,
    ddata_compra timestamp,
    nfornecedor integer,
    cnumero_doc varchar(20),
    ncoluna5 integer default 0,
    cobs varchar(200),
    ndesconto numeric(15,2) default 0,
    nacrescimo numeric(15,2) default 0,
    nvalor_total numeric(15,2) default 0,
    constraint pk_compra primary key (ncodigo)
);

create table item_da_compra (
    ncodigo integer not null,
    nproduto integer not null,
    ncompra integer not null,
    nqtde numeric(15,3),
    nunitario numeric(15,2),
    ntotal numeric(15,2),
    constraint pk_item_da_compra primary key (ncodigo)
);

create table temp (
    ccampo1 varchar(60),
    ncampo2 numeric(15,2),
    ncampo3 numeric(15,2),
    ncampo4 integer
);

alter table produto add constraint fk_produto_grupo
    foreign key (ngrupo) references grupo (ncodigo);

alter table item_venda add constraint fk_item_venda_venda
    foreign key (nvenda) references venda (ncodigo) on delete cascade;

alter table item_venda add constraint fk_item_venda_produto
    foreign key (nproduto) references produto (ncodigo);

alter table entrada add constraint fk_entrada_tipo_entrada
    foreign key (ntipo_entrada) references tipo_entrada (ncodigo);

alter table compra add constraint fk_compra_fornecedor
    foreign key (nfornecedor) references fornecedor (ncodigo);

alter table item_da_compra add constraint fk_item_da_compra_compra
    foreign key (ncompra) references compra (ncodigo) on delete cascade;

alter table item_da_compra add constraint fk_item_da_compra_produto
    foreign key (nproduto) references produto (ncodigo);
