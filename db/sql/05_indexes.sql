-- What the business-day queries filter and join on. item_venda.nvenda is
-- indexed by its foreign key already.
create index ix_venda_ddata_venda on venda (ddata_venda);
create index ix_entrada_ddata_entrada on entrada (ddata_entrada);
create index ix_item_venda_nnumero on item_venda (nnumero);
create index ix_entrada_nnumero on entrada (nnumero);
create index ix_compra_ddata_compra on compra (ddata_compra);
